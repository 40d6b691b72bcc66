#pragma once

#include "qt_printers.h"

#include <QProcess>
#include <QRectF>
#include <QSizeF>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

// The words of a PDF with their boxes in points, read back with pdftotext -bbox.
struct PdfWord {
    int page;
    double x;
    double y;
    QString text;
};

struct PdfText {
    bool ok = false;
    int pages = 0;
    std::vector<PdfWord> words;

    // The numbers that stand in the column headed `heading`, in reading order.
    std::vector<int> numbersUnder(const QString& heading) const
    {
        std::vector<int> numbers;
        const auto head = find(heading);
        if (head.size() != 1)
            return numbers;
        for (const PdfWord& w : words) {
            bool isNumber = false;
            const int n = w.text.toInt(&isNumber);
            if (isNumber && std::abs(w.x - head[0].x) < 1.0 && (w.page > head[0].page || w.y > head[0].y))
                numbers.push_back(n);
        }
        return numbers;
    }
    // The word after "label =" on its line.
    QString valueOf(const QString& label) const
    {
        for (std::size_t i = 0; i + 2 < words.size(); ++i)
            if (words[i].text == label && words[i + 1].text == "=" && std::abs(words[i + 2].y - words[i].y) < 1)
                return words[i + 2].text;
        return {};
    }

    // The first words with their places, for a failure message.
    std::string sample(std::size_t count = 40) const
    {
        std::string out;
        for (std::size_t i = 0; i < words.size() && i < count; ++i)
            out += words[i].text.toStdString() + "@" + std::to_string(int(words[i].x)) + ","
                + std::to_string(int(words[i].y)) + " ";
        return out;
    }

    std::vector<PdfWord> find(const QString& text) const
    {
        std::vector<PdfWord> found;
        for (const PdfWord& w : words)
            if (w.text == text)
                found.push_back(w);
        return found;
    }
};

inline PdfText ReadPdfWords(const QString& pdf)
{
    PdfText result;
    QTemporaryDir dir;
    const QString html = dir.filePath("words.html");
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, html});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return result;
    QFile f(html);
    if (!f.open(QIODevice::ReadOnly))
        return result;
    const QString text = QString::fromUtf8(f.readAll());
    static const QRegularExpression token(
        R"re(<page |<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    struct Box {
        double x0, y0, x1, y1;
    };
    std::vector<Box> boxes;
    for (auto it = token.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++result.pages;
            continue;
        }
        QString word = m.captured(5);
        word.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
        boxes.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble()});
        result.words.push_back({result.pages, boxes.back().x0, boxes.back().y0, word});
    }
    // A print filter may have turned a landscape page to portrait: the
    // headings then run down the page. Turn the words back.
    const auto seq = result.find("SEQ");
    const auto last = result.find("SPLIT3");
    if (seq.size() == 1 && last.size() == 1 && std::abs(last[0].y - seq[0].y) > std::abs(last[0].x - seq[0].x)) {
        const double across = last[0].y > seq[0].y ? 1 : -1; // the way the columns run
        double down = 1;                                    // the way the lines run, found below
        for (const PdfWord& w : result.words)
            if (w.text == "1" || w.text == "Date") {
                down = (w.x - seq[0].x) * (w.text == "Date" ? -1 : 1) > 0 ? 1 : -1;
                break;
            }
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const Box& b = boxes[i];
            result.words[i].x = std::min(across * b.y0, across * b.y1);
            result.words[i].y = std::min(down * b.x0, down * b.x1);
        }
    }
    // In reading order: page, then line, then left to right.
    std::sort(result.words.begin(), result.words.end(), [](const PdfWord& a, const PdfWord& b) {
        if (a.page != b.page)
            return a.page < b.page;
        if (std::abs(a.y - b.y) > 1)
            return a.y < b.y;
        return a.x < b.x;
    });
    result.ok = true;
    return result;
}

// Each word's box as the PDF has it, in points from the top left of its
// page, with that page's size: nothing turned back.
struct PdfBox {
    QSizeF page;
    QRectF box;
    QString text;
};

inline std::vector<PdfBox> ReadPdfBoxes(const QString& pdf)
{
    std::vector<PdfBox> boxes;
    QTemporaryDir dir;
    const QString html = dir.filePath("words.html");
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, html});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return boxes;
    QFile f(html);
    if (!f.open(QIODevice::ReadOnly))
        return boxes;
    static const QRegularExpression token(
        R"re(<page width="([0-9.]+)" height="([0-9.]+)"|<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    QSizeF page;
    for (auto it = token.globalMatch(QString::fromUtf8(f.readAll())); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            page = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
            continue;
        }
        boxes.push_back({page, QRectF(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                                      QPointF(m.captured(5).toDouble(), m.captured(6).toDouble())),
                         m.captured(7)});
    }
    return boxes;
}
