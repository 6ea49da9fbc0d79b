// The find box, the summary line and the toggling check marks, offscreen.

#include "TestWindow.h"

#include "geography/FinalWardSelection.h"
#include "window/AreaFinder.h"

#include <QCompleter>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionViewItem>

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

        finalWardSelection(w.state->areas);
        std::vector<int> chosen;
        for (int ward = 1; ward <= kNumWards; ++ward)
            if (w.state->areas.finalWards[ward] == 1)
                chosen.push_back(ward);
        QCOMPARE(chosen, (std::vector<int> { 30, 500 }));
        QVERIFY(w.c().lblSelectionSummary->text().startsWith(QStringLiteral("2 wards, ")));
        QVERIFY(w.list(AreaLevel::Ward)->item(1)->toolTip().startsWith(
            QString::fromStdString(w.state->areas.wardCodes[1]) + QStringLiteral(" - ")));
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
