// The program under a pseudo-translation of its catalogue: every text wrapped
// in brackets and a third longer. What the operator can reach must come from
// the catalogue, and still fit.
#include "app/kept_lists_window.h"
#include "app/results_controller.h"
#include "app/start_list_import_dialog.h"
#include "export/export_dialog.h"
#include "export/folder_list.h"
#include "support/app_rig.h"
#include "support/printers.h"
#include "support/scripted_prompt.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QString Open = QStringLiteral("\u27e6");

bool FromCatalogue(const QString& text) { return text.startsWith(Open); }

// The catalogue installed for the life of a test, before any window is made.
struct Catalogue {
    QTranslator translator;
    Catalogue()
    {
        EXPECT_TRUE(translator.load(QStringLiteral(TRIVEX_PSEUDO_CATALOGUE)));
        QCoreApplication::installTranslator(&translator);
    }
    ~Catalogue() { QCoreApplication::removeTranslator(&translator); }
};

// Each text a widget shows the operator: its own, its tooltip, and those of
// its buttons, labels and menu items. Data (names, numbers) is no text of ours.
QStringList TextsOf(const QWidget& top)
{
    QStringList texts{top.windowTitle()};
    for (auto* button : top.findChildren<QAbstractButton*>()) {
        // Qt's own buttons (Close, Cancel) come from Qt's catalogue.
        const auto* box = qobject_cast<QDialogButtonBox*>(button->parentWidget());
        if (!button->text().isEmpty() && !(box && box->standardButton(button) != QDialogButtonBox::NoButton))
            texts << button->text();
    }
    for (const auto* label : top.findChildren<QLabel*>())
        if (!label->text().isEmpty() && label->objectName() != QLatin1String("MessUSB"))
            texts << label->text();
    for (const auto* widget : top.findChildren<QWidget*>())
        if (!widget->toolTip().isEmpty())
            texts << widget->toolTip();
    for (const auto* action : top.findChildren<QAction*>())
        if (!action->isSeparator() && !action->text().isEmpty())
            texts << action->text();
    return texts;
}

TEST(Translation, EveryTextTheOperatorReachesIsFromTheCatalogueAndFits)
{
    Catalogue catalogue;
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    AppRig r(true, 48, &prompt, dir.filePath("lists"));
    PdfPrinter pdf(dir.filePath("job.pdf"));
    r.app->setPrintSystem(pdf);
    QStringList news;
    QObject::connect(r.app.get(), &TimerApplication::newsShown, [&news](const QString& n) { news << n; });
    OperatorLine& line = r.app->window().operatorLine();
    QObject::connect(r.app.get(), &TimerApplication::newsShown, [&line](const QString& n) {
        // Grown or wrapped as it needs, never cut.
        EXPECT_FALSE(line.text().endsWith(QStringLiteral("\u2026"))) << n.toStdString();
    });
    using Action = MainWindow::ListAction;
    const auto act = [&r](Action a) { r.app->window().listAction(a).trigger(); };

    r.click(AppRig::Button::GetMemory); // while the unit is being started
    r.load();
    act(Action::Undo);
    act(Action::BringBack);
    r.getMemory();
    r.tickUntilQuiet();
    r.clickLine(3);
    act(Action::Undo);
    act(Action::Redo);
    r.click(AppRig::Button::Print);
    ASSERT_TRUE(r.waitForPrint());
    r.click(AppRig::Button::WriteFile);
    ExportDialog* dialog = r.app->exportDialog();
    ASSERT_TRUE(dialog->folders().setPath(dir.path()));
    dialog->fileName().setText(QStringLiteral("Heat1.csv"));
    dialog->write();
    r.getMemory();
    r.tickUntilQuiet();
    act(Action::KeptLists);
    ASSERT_NE(r.app->keptListsWindow(), nullptr);
    ResultsController& results = r.app->resultsOfRace();
    QFile list(dir.filePath("start.csv"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("Bib,Name,Gender\n1,A B,F\n2,C D,M\n");
    list.close();
    ASSERT_TRUE(results.importFile(list.fileName()));
    StartListImportDialog& import = *results.importDialog();
    const QStringList importTexts = TextsOf(import);
    import.takeButton().click();
    results.showWindow();
    results.window()->setGrouping(ResultsWindow::Grouping::Gender);

    EXPECT_GE(news.size(), 10);
    for (const QString& n : news)
        EXPECT_TRUE(FromCatalogue(n)) << n.toStdString();
    QStringList texts = importTexts;
    for (const QWidget* window : std::initializer_list<const QWidget*>{&r.app->window(), dialog, r.app->keptListsWindow(),
                                                                      results.window()})
        texts << TextsOf(*window);
    for (const QTreeWidget* table : {&r.app->keptListsWindow()->table(), &results.window()->table()})
        for (int column = 0; column < table->headerItem()->columnCount(); ++column)
            texts << table->headerItem()->text(column);
    for (const QString& text : texts)
        EXPECT_TRUE(FromCatalogue(text)) << text.toStdString();
    EXPECT_TRUE(FromCatalogue(r.caption())) << r.caption().toStdString();
    for (const QString& asked : prompt.questions + prompt.messages + prompt.notices)
        EXPECT_TRUE(FromCatalogue(asked)) << asked.toStdString();
    if (const QByteArray shot = qgetenv("TRIVEX_TRANSLATION_SHOT"); !shot.isEmpty())
        r.app->window().grab().save(QString::fromLocal8Bit(shot));
}

} // namespace
