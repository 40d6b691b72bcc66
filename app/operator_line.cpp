#include "app/operator_line.h"

#include <QEvent>
#include <QFontMetrics>

#include <algorithm>

namespace {

const QString Ellipsis = QStringLiteral("\u2026");

// The largest n in [0, most] for which `fits(n)` holds, if `fits` holds for
// every n below one for which it holds; -1 when it holds for none.
template <typename Fits>
qsizetype LargestFitting(qsizetype most, Fits fits)
{
    qsizetype low = -1;
    qsizetype high = most;
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (fits(mid))
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

} // namespace

OperatorLine::OperatorLine(QWidget* parent) : QLabel(parent)
{
    setAlignment(Alignment);
    setWordWrap(true);
}

void OperatorLine::showNews(const QString& text, const QString& path)
{
    told_ = text;
    path_ = path;
    fit();
}

QString OperatorLine::toldText() const { return path_.isEmpty() ? told_ : told_.arg(path_); }

bool OperatorLine::fits(const QString& text) const
{
    const QRect box = contentsRect();
    const QRect needed =
        fontMetrics().boundingRect(QRect(0, 0, box.width(), 1 << 20), static_cast<int>(Alignment | Qt::TextWordWrap), text);
    return needed.width() <= box.width() && needed.height() <= box.height();
}

void OperatorLine::fit()
{
    const QString whole = toldText();
    QString shown = fits(whole) ? whole : withShortenedPath();
    if (!fits(shown))
        shown = withShortenedEnd(shown);
    setText(shown);
    setToolTip(shown == whole ? QString() : whole);
}

QString OperatorLine::withShortenedPath() const
{
    if (path_.isEmpty())
        return toldText();
    // The folder loses characters from its middle; the file name stays whole.
    const qsizetype cut = std::max(path_.lastIndexOf(QLatin1Char('/')), path_.lastIndexOf(QLatin1Char('\\')));
    const QString folder = path_.left(cut);
    const QString name = path_.mid(cut);
    auto keeping = [&](qsizetype kept) {
        return told_.arg(folder.left((kept + 1) / 2) + Ellipsis + folder.right(kept / 2) + name);
    };
    const qsizetype kept = LargestFitting(folder.size() - 1, [&](qsizetype n) { return fits(keeping(n)); });
    return keeping(std::max<qsizetype>(kept, 0));
}

QString OperatorLine::withShortenedEnd(const QString& text) const
{
    const qsizetype kept =
        LargestFitting(text.size() - 1, [&](qsizetype n) { return fits(text.left(n) + Ellipsis); });
    return text.left(std::max<qsizetype>(kept, 0)) + Ellipsis;
}

void OperatorLine::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && !told_.isEmpty())
        fit();
}

void OperatorLine::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (!told_.isEmpty())
        fit();
}
