#include "entrants/text_table.h"

#include <QStringDecoder>

#include <array>

namespace {

// Windows-1252's letters where Latin-1 has control codes (0x80..0x9F); 0 for
// the five it leaves out, read as the code itself.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

QString FromWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        const char16_t high = b >= 0x80 && b < 0xA0 ? Windows1252High[b - 0x80] : 0;
        text.append(QChar(high ? high : char16_t{b}));
    }
    return text;
}

// The separator the header line holds most of, outside quotes.
QChar SeparatorOf(const QString& text)
{
    std::array<int, 3> counts{};
    const std::array<QChar, 3> candidates = {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && (c == QLatin1Char('\n') || c == QLatin1Char('\r')))
            break;
        for (std::size_t i = 0; i < candidates.size() && !quoted; ++i)
            counts[i] += c == candidates[i] ? 1 : 0;
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < counts.size(); ++i)
        if (counts[i] > counts[best])
            best = i;
    return candidates[best];
}

} // namespace

QString DecodeStartList(const QByteArray& bytes, QString* encoding)
{
    const auto starts = [&bytes](const char* mark) { return bytes.startsWith(mark); };
    if (starts("\xEF\xBB\xBF")) {
        *encoding = QStringLiteral("UTF-8");
        return QString::fromUtf8(bytes.mid(3));
    }
    if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
        const bool little = starts("\xFF\xFE");
        *encoding = little ? QStringLiteral("UTF-16LE") : QStringLiteral("UTF-16BE");
        QStringDecoder decode(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return decode(bytes.mid(2));
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError()) {
        *encoding = QStringLiteral("UTF-8");
        return text;
    }
    *encoding = QStringLiteral("Windows-1252");
    return FromWindows1252(bytes);
}

std::optional<TextTable> ReadTextTable(const QByteArray& bytes)
{
    TextTable table;
    const QString text = DecodeStartList(bytes, &table.encoding);
    table.separator = SeparatorOf(text);

    std::vector<QStringList> records;
    std::vector<int> lines;
    QStringList record;
    QString field;
    bool quoted = false;
    bool anything = false; // the record holds a field or a separator
    int line = 1;
    int recordLine = 1;
    const auto endRecord = [&] {
        if (anything || !field.isEmpty()) {
            record << field;
            records.push_back(record);
            lines.push_back(recordLine);
        }
        record.clear();
        field.clear();
        anything = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                line += c == QLatin1Char('\n') ? 1 : 0;
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
            anything = true;
        } else if (c == table.separator) {
            record << field;
            field.clear();
            anything = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            endRecord();
            recordLine = ++line;
        } else {
            field += c;
        }
    }
    endRecord();
    if (records.size() < 2)
        return std::nullopt;
    table.header = records.front();
    for (QString& name : table.header)
        name = name.trimmed();
    table.rows.assign(records.begin() + 1, records.end());
    table.lineOfRow.assign(lines.begin() + 1, lines.end());
    return table;
}
