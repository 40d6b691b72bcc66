#include "workbook/workbook.h"

#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <clocale>
#include <string>

namespace {

constexpr double DayMs = 86400000.0;

// libxlsxwriter writes its numbers with the C library's printf, whose
// decimal point follows LC_NUMERIC, which Qt set from the user's locale: a
// "1,5" in the file's XML is a broken workbook. Numbers are written with
// the C locale's point while the workbook is made.
class CNumbers {
public:
    CNumbers()
    {
        const char* was = std::setlocale(LC_NUMERIC, nullptr);
        was_ = was ? was : "C";
        std::setlocale(LC_NUMERIC, "C");
    }
    ~CNumbers() { std::setlocale(LC_NUMERIC, was_.c_str()); }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

private:
    std::string was_;
};

} // namespace

struct Workbook::Parts {
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("workbook.xlsx"));
    QByteArray pathBytes = path.toUtf8();
    lxw_workbook* book = nullptr;
    lxw_worksheet* sheet = nullptr;
    lxw_format* bold = nullptr;
    lxw_format* duration = nullptr;
    lxw_format* clock = nullptr;
    lxw_format* decimals[4] = {};
    lxw_error error = LXW_NO_ERROR;

    void note(lxw_error e)
    {
        if (e != LXW_NO_ERROR && error == LXW_NO_ERROR)
            error = e;
    }
};

Workbook::Workbook() : parts_(std::make_unique<Parts>())
{
    Parts& p = *parts_;
    if (!p.folder.isValid())
        return;
    const QByteArray tmp = p.folder.path().toUtf8();
    lxw_workbook_options options{.constant_memory = LXW_FALSE, .tmpdir = const_cast<char*>(tmp.constData()),
                                 .use_zip64 = LXW_FALSE};
    p.book = workbook_new_opt(p.pathBytes.constData(), &options);
    if (!p.book)
        return;
    p.bold = workbook_add_format(p.book);
    format_set_bold(p.bold);
    p.duration = workbook_add_format(p.book);
    format_set_num_format(p.duration, "[h]:mm:ss.00");
    p.clock = workbook_add_format(p.book);
    format_set_num_format(p.clock, "hh:mm:ss.000");
    const char* const decimals[] = {"0", "0.0", "0.00", "0.000"};
    for (int d = 0; d < 4; ++d) {
        p.decimals[d] = workbook_add_format(p.book);
        format_set_num_format(p.decimals[d], decimals[d]);
    }
}

Workbook::~Workbook()
{
    // A workbook never asked for its bytes is still closed, to free it.
    if (parts_->book) {
        const CNumbers numbers;
        workbook_close(parts_->book);
    }
}

void Workbook::addSheet(const QString& name)
{
    Parts& p = *parts_;
    if (!p.book)
        return;
    // Sheet names are at most 31 characters, none of []:*?/\.
    QString safe = name;
    for (const QChar c : QStringLiteral("[]:*?/\\"))
        safe.replace(c, QLatin1Char(' '));
    p.sheet = workbook_add_worksheet(p.book, safe.left(31).toUtf8().constData());
    if (!p.sheet) {
        p.note(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
        return;
    }
    worksheet_freeze_panes(p.sheet, 1, 0);
}

void Workbook::header(int column, const QString& text)
{
    if (parts_->sheet)
        parts_->note(worksheet_write_string(parts_->sheet, 0, static_cast<lxw_col_t>(column),
                                            text.toUtf8().constData(), parts_->bold));
}

void Workbook::text(int row, int column, const QString& text)
{
    if (parts_->sheet && !text.isEmpty())
        parts_->note(worksheet_write_string(parts_->sheet, static_cast<lxw_row_t>(row),
                                            static_cast<lxw_col_t>(column), text.toUtf8().constData(), nullptr));
}

void Workbook::number(int row, int column, double value)
{
    if (parts_->sheet)
        parts_->note(worksheet_write_number(parts_->sheet, static_cast<lxw_row_t>(row),
                                            static_cast<lxw_col_t>(column), value, nullptr));
}

void Workbook::decimal(int row, int column, double value, int decimals)
{
    if (parts_->sheet)
        parts_->note(worksheet_write_number(parts_->sheet, static_cast<lxw_row_t>(row),
                                            static_cast<lxw_col_t>(column), value,
                                            parts_->decimals[std::clamp(decimals, 0, 3)]));
}

void Workbook::duration(int row, int column, std::int64_t milliseconds)
{
    if (parts_->sheet)
        parts_->note(worksheet_write_number(parts_->sheet, static_cast<lxw_row_t>(row),
                                            static_cast<lxw_col_t>(column), static_cast<double>(milliseconds) / DayMs,
                                            parts_->duration));
}

void Workbook::timeOfDay(int row, int column, std::int64_t milliseconds)
{
    if (parts_->sheet)
        parts_->note(worksheet_write_number(parts_->sheet, static_cast<lxw_row_t>(row),
                                            static_cast<lxw_col_t>(column), static_cast<double>(milliseconds) / DayMs,
                                            parts_->clock));
}

void Workbook::columnWidth(int column, double characters)
{
    if (parts_->sheet)
        worksheet_set_column(parts_->sheet, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column), characters,
                             nullptr);
}

std::optional<QByteArray> Workbook::bytes(QString* why)
{
    Parts& p = *parts_;
    auto failed = [why](const QString& text) -> std::optional<QByteArray> {
        if (why)
            *why = text;
        return std::nullopt;
    };
    if (!p.folder.isValid())
        return failed(p.folder.errorString());
    if (!p.book)
        return failed(QStringLiteral("the workbook could not be begun"));
    lxw_error closed = LXW_NO_ERROR;
    {
        const CNumbers numbers;
        closed = workbook_close(p.book);
    }
    p.book = nullptr;
    p.sheet = nullptr;
    if (p.error != LXW_NO_ERROR)
        return failed(QString::fromUtf8(lxw_strerror(p.error)));
    if (closed != LXW_NO_ERROR)
        return failed(QString::fromUtf8(lxw_strerror(closed)));
    QFile file(p.path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());
    return file.readAll();
}
