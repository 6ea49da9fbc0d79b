// Select Cases: the dialog's conditions and refusals, and the page's button, label
// and choices.

#include "extraction/SarTables.h"
#include "window/CaseSelectionDialog.h"
#include "window/VariablesPage.h"

#include "TestWindow.h"

#include <QDialogButtonBox>
#include <QTimer>
#include <QtTest>

namespace {

/// Picks `variable` ("Age (person)") in the dialog's combo box.
void pick(const CaseSelectionDialog& dialog, const char* variable)
{
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("cboVariable"));
    const int index = combo->findText(QString::fromLatin1(variable));
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
}

void tick(const CaseSelectionDialog& dialog, const QString& code)
{
    auto* codes = dialog.findChild<QListWidget*>(QStringLiteral("lstCodes"));
    for (int row = 0; row < codes->count(); ++row)
        if (codes->item(row)->text().section(QLatin1Char(' '), 0, 0) == code)
            codes->item(row)->setCheckState(Qt::Checked);
}

} // namespace

class CaseSelectionTest : public QObject {
    Q_OBJECT

private slots:
    // Ticked codes and typed ranges make one condition; a bad one is refused with
    // the reason and leaves the conditions as they were.
    void dialogAddsGoodConditionsAndRefusesBadOnes()
    {
        TestWindow f;
        const SarTables sar = loadSarTables(f.state->folders);
        CaseSelectionDialog dialog(f.state->variables, sar, nullptr, {});
        auto* ranges = dialog.findChild<QLineEdit*>(QStringLiteral("txtRanges"));
        auto* error = dialog.findChild<QLabel*>(QStringLiteral("lblConditionError"));
        auto* conditions = dialog.findChild<QListWidget*>(QStringLiteral("lstConditions"));
        auto* add = dialog.findChild<QPushButton*>(QStringLiteral("btAddCondition"));
        QCOMPARE(conditions->accessibleName(), QStringLiteral("Conditions"));
        QCOMPARE(dialog.findChild<QListWidget*>(QStringLiteral("lstCodes"))->accessibleName(), QStringLiteral("Codes"));

        pick(dialog, "Age (person)");
        // The fixture's ages are 0..9 and person 1's -5.
        QCOMPARE(dialog.findChild<QListWidget*>(QStringLiteral("lstCodes"))->count(), 11);
        tick(dialog, QStringLiteral("-5"));
        tick(dialog, QStringLiteral("1"));
        ranges->setText(QStringLiteral("3-5"));
        add->click();
        QCOMPARE(shownRows(conditions), QStringList { QStringLiteral("Age -5, 1, 3-5") });

        struct Bad {
            const char* variable;
            const char* typed;
            const char* reason;
        };
        for (const Bad& bad : { Bad { "Age (person)", "12", "Age takes no code 12; its codes are -5, 0-9" },
                 Bad { "Cars (household)", "", "Tick the codes Cars may take" } }) {
            pick(dialog, bad.variable);
            ranges->setText(QString::fromLatin1(bad.typed));
            QVERIFY(!dialog.addCondition());
            QVERIFY2(error->text().contains(QString::fromLatin1(bad.reason)), qPrintable(error->text()));
            QCOMPARE(conditions->count(), 1);
        }

        // A second condition on the same variable replaces the first.
        pick(dialog, "Tenure (household)");
        ranges->setText(QStringLiteral("120, 122-124"));
        QVERIFY(dialog.addCondition());
        QVERIFY(error->text().isEmpty());
        pick(dialog, "Age (person)");
        ranges->setText(QStringLiteral("7"));
        QVERIFY(dialog.addCondition());
        QCOMPARE(
            shownRows(conditions), (QStringList { QStringLiteral("Age 7"), QStringLiteral("Tenure 120, 122-124") }));
        dialog.findChild<QCheckBox*>(QStringLiteral("chkWholeHouseholds"))->setChecked(true);
        QCOMPARE(dialog.selection(),
            (CaseSelection { { { "Age", { { 7, 7 } } }, { "Tenure", { { 120, 120 }, { 122, 124 } } } }, true }));

        conditions->setCurrentRow(0);
        dialog.findChild<QPushButton*>(QStringLiteral("btRemoveCondition"))->click();
        QCOMPARE(shownRows(conditions), QStringList { QStringLiteral("Tenure 120, 122-124") });
        dialog.findChild<QPushButton*>(QStringLiteral("btClear"))->click();
        QCOMPARE(dialog.selection(), CaseSelection {});
    }

    // The button opens the dialog on the page's selection; OK brings the new one back
    // to the label, Reset leaves it, and the page's choices carry it.
    void pageShowsKeepsAndCarriesTheSelection()
    {
        TestWindow f;
        auto* page = f.window->findChild<VariablesPage*>(QStringLiteral("pgSelectVars"));
        auto* shown = f.window->findChild<QLabel*>(QStringLiteral("lblCaseSelection"));
        QCOMPARE(shown->text(), QStringLiteral("All cases"));
        QCOMPARE(shown->accessibleName(), QStringLiteral("Case selection"));

        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<CaseSelectionDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            pick(*dialog, "Tenure (household)");
            dialog->findChild<QLineEdit*>(QStringLiteral("txtRanges"))->setText(QStringLiteral("121,122"));
            QVERIFY(dialog->addCondition());
            pick(*dialog, "Age (person)");
            dialog->findChild<QLineEdit*>(QStringLiteral("txtRanges"))->setText(QStringLiteral("6-9"));
            QVERIFY(dialog->addCondition());
            dialog->findChild<QCheckBox*>(QStringLiteral("chkWholeHouseholds"))->setChecked(true);
            dialog->accept();
        });
        f.window->findChild<QPushButton*>(QStringLiteral("btSelectCases"))->click();
        const QString text = QStringLiteral("Persons: Age 6-9; households: Tenure 121, 122 (whole households)");
        QCOMPARE(shown->text(), text);
        QCOMPARE(shown->accessibleDescription(), text);

        f.c().cmdResetOrigVars->click();
        QCOMPARE(shown->text(), text);
        RequestChoices choices;
        page->readChoices(choices);
        QCOMPARE(choices.caseSelection, page->caseSelection());
        QCOMPARE(choices.caseSelection.conditions.size(), std::size_t { 2 });

        // Cancel keeps what there was; a request without a selection clears it.
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        f.window->findChild<QPushButton*>(QStringLiteral("btSelectCases"))->click();
        QCOMPARE(shown->text(), text);
        choices.caseSelection = {};
        page->setChoices(choices);
        QCOMPARE(shown->text(), QStringLiteral("All cases"));
    }
};

QTEST_MAIN(CaseSelectionTest)
#include "CaseSelectionTest.moc"
