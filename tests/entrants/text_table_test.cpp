#include "entrants/text_table.h"

#include <gtest/gtest.h>

namespace {

QByteArray Utf16LeWithMark(const QString& text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xff));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

// Start lists as registration sites and spreadsheets write them.
TEST(TextTable, ReadsTheFilesStartListsComeIn)
{
    const struct {
        const char* what;
        QByteArray file;
        QString encoding;
        QChar separator;
        QStringList header;
        std::vector<QStringList> rows;
        std::vector<int> lines;
    } cases[] = {
        {"UTF-8 with a mark, commas, a quoted field with a comma, a line break and a quote",
         QByteArray("\xEF\xBB\xBF" "Bib,Name,Club\r\n7,\"Smith, Ann\",\"Run \"\"Fast\"\"\nClub\"\r\n8,Bo,\r\n"),
         "UTF-8", ',', {"Bib", "Name", "Club"},
         {{"7", "Smith, Ann", "Run \"Fast\"\nClub"}, {"8", "Bo", ""}}, {2, 4}},
        {"UTF-16 with a mark, semicolons", Utf16LeWithMark(QStringLiteral("Nr;Vorname\n12;J\u00fcrgen\n")),
         "UTF-16LE", ';', {"Nr", "Vorname"}, {{"12", QStringLiteral("J\u00fcrgen")}}, {2}},
        {"Windows-1252, tabs, blank lines between", QByteArray("Bib\tName\n\n3\tM\xFCller \x80\n\n4\tO\x92Neil\n"),
         "Windows-1252", '\t', {"Bib", "Name"},
         {{"3", QStringLiteral("M\u00fcller \u20ac")}, {"4", QStringLiteral("O\u2019Neil")}}, {3, 5}},
        {"UTF-8 without a mark, a semicolon within quotes in the header",
         QByteArray("\"Bib;No\",Name\n5,\xC3\x89lise"), "UTF-8", ',', {"Bib;No", "Name"},
         {{"5", QStringLiteral("\u00c9lise")}}, {2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto table = ReadTextTable(c.file);
        ASSERT_TRUE(table);
        EXPECT_EQ(table->encoding, c.encoding);
        EXPECT_EQ(table->separator, c.separator);
        EXPECT_EQ(table->header, c.header);
        EXPECT_EQ(table->rows, c.rows);
        EXPECT_EQ(table->lineOfRow, c.lines);
    }
}

TEST(TextTable, AFileWithoutAHeaderAndARowIsNoTable)
{
    for (const QByteArray& file : {QByteArray(), QByteArray("Bib,Name\r\n"), QByteArray("\n\n\n")})
        EXPECT_FALSE(ReadTextTable(file)) << file.toStdString();
}

} // namespace
