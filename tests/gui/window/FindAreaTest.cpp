// The find box, the summary line and the toggling check marks, offscreen.

#include "TestWindow.h"

#include "window/AreaFinder.h"

#include <QCompleter>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <set>
#include <sstream>

namespace {

/// The distinct first fields of a CSV output's records: their ED codes when the ED
/// is the only spatial code.
std::set<std::string> edCodesIn(const std::string& path)
{
    std::istringstream lines(readFile(path));
    std::string line;
    std::getline(lines, line); // header
    std::set<std::string> codes;
    while (std::getline(lines, line))
        codes.insert(line.substr(0, line.find(',')));
    return codes;
}

} // namespace

class FindAreaTest : public QObject {
    Q_OBJECT

private slots:
    void findsWardsByNameAndCodeAndChoosesBoth()
    {
        TestWindow w;
        AreaFinder& finder = w.window->areaFinder();
        auto choose = [&](const QString& typed, int ward) {
            QTest::keyClicks(finder.lineEdit(), typed);
            const QStringList found = finder.suggestions();
            const QString code = QString::fromStdString(w.state->areas.wardCodes[ward]);
            int row = -1;
            for (int i = 0; i < found.size(); ++i)
                if (found[i].contains(QLatin1Char('(') + code + QLatin1Char(')')))
                    row = i;
            QVERIFY2(row >= 0, qPrintable(found.join(QLatin1Char('\n'))));
            emit finder.completer()->activated(finder.completer()->completionModel()->index(row, 0));
            QTest::qWait(1);
        };
        choose(QStringLiteral("ward 30"), 30);
        choose(QString::fromStdString(w.state->areas.wardCodes[500]).toLower(), 500);

        // Extract writes the EDs of those two wards and no others (fixture wards have
        // two EDs each; every ED gets households from the sample ward's files).
        w.dialogs.script("M2=Yes,M7=Yes");
        w.extract();
        QVERIFY2(w.asked().endsWith(QStringLiteral("M9")), qPrintable(w.asked()));
        std::set<std::string> expected;
        for (int ward : { 30, 500 })
            for (const char* ed : { "01", "02" })
                expected.insert(w.state->areas.wardCodes[ward] + ed);
        QCOMPARE(edCodesIn(w.dir.file("Zen91/Zen91_hh.txt")), expected);
        QVERIFY(w.c().lblSelectionSummary->text().startsWith(QStringLiteral("2 wards, ")));
        QVERIFY(w.list(AreaLevel::Ward)
                    ->item(1)
                    ->toolTip()
                    .startsWith(QString::fromStdString(w.state->areas.wardCodes[1]) + QStringLiteral(" - ")));
    }

    void summaryFollowsTheCascade()
    {
        TestWindow w;
        QTest::qWait(1);
        QVERIFY(w.c().lblSelectionSummary->text().startsWith(QStringLiteral("All areas: 11,499 wards")));
        w.chooseWard(7);
        QTest::qWait(1);
        QVERIFY2(w.c().lblSelectionSummary->text().startsWith(QStringLiteral("1 ward, ")),
            qPrintable(w.c().lblSelectionSummary->text()));
        w.list(AreaLevel::Ward)->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
        QTest::qWait(1);
        QVERIFY(w.c().lblSelectionSummary->text().startsWith(QStringLiteral("All areas: ")));
    }

    void checkMarkClickKeepsTheOtherVariables()
    {
        TestWindow w;
        w.c().MultiPage1->setCurrentIndex(2);
        QListWidget* list = w.c().lstHHVars_Orig;
        const int before = static_cast<int>(list->selectedItems().size());
        QVERIFY(before > 1);
        int row = 0;
        while (list->item(++row)->isSelected()) { }
        QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 4, rect.center().y()));
        QCOMPARE(static_cast<int>(list->selectedItems().size()), before + 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 4, rect.center().y()));
        QCOMPARE(static_cast<int>(list->selectedItems().size()), before);
        // A click on the name still selects that row alone.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.right() - 10, rect.center().y()));
        QCOMPARE(static_cast<int>(list->selectedItems().size()), 1);
    }
};

QTEST_MAIN(FindAreaTest)
#include "FindAreaTest.moc"
