#pragma once

#include <QLabel>

// The operator line: news of the download, the export and the print, right
// of the link's caption. It wraps onto the lines its box has room for; a path
// too long for them is shortened in its middle with the file name kept, and
// a text still too long loses its end, never its start (the whole text is
// then its tooltip).
class OperatorLine : public QLabel {
    Q_OBJECT
public:
    static constexpr Qt::Alignment Alignment = Qt::AlignRight | Qt::AlignVCenter;

    explicit OperatorLine(QWidget* parent = nullptr);

    // Shows the text; "%1" in it stands for `path`, shortened if need be.
    void showNews(const QString& text, const QString& path = {});
    // The text as it was told, with the whole path.
    QString toldText() const;
    // The text fits the box whole, on the lines it has.
    bool fits(const QString& text) const;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();
    QString withShortenedPath() const;
    QString withShortenedEnd(const QString& text) const;

    QString told_;
    QString path_;
};
