#pragma once

#include "qt_printers.h"

#include <QProcess>
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
        R"re(<page |<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="[0-9.]+" yMax="[0-9.]+">([^<]*)</word>)re");
    for (auto it = token.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++result.pages;
            continue;
        }
        QString word = m.captured(3);
        word.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
        result.words.push_back({result.pages, m.captured(1).toDouble(), m.captured(2).toDouble(), word});
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
