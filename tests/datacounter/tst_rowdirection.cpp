#include "calltimerscontainer.h"
#include "countercontainer.h"
#include "lolocale.h"

#include <QApplication>
#include <QGraphicsWidget>
#include <QTest>

// The reset rows (date, Reset button) of all three sections follow their window's direction.
class TestRowDirection : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resetRows_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("direction");
        QTest::newRow("left-to-right") << "en_GB" << int(Qt::LeftToRight);
        QTest::newRow("right-to-left") << "ar_EG" << int(Qt::RightToLeft);
        QTest::newRow("right-to-left window, left-to-right locale") << "en_GB" << int(Qt::RightToLeft);
    }

    void resetRows()
    {
        QFETCH(QString, locale);
        QFETCH(int, direction);
        LoLocale::setDefault(LoLocale(locale));
        QApplication::setLayoutDirection(LoLocale().textDirection()); // as a host does
        QGraphicsWidget window;
        window.setLayoutDirection(Qt::LayoutDirection(direction));
        const QList<QGraphicsWidget *> sections{new CounterContainer(CounterContainer::Home, 3, 4, 5, 6, 7, &window),
                                                new CounterContainer(CounterContainer::Roaming, 8, 9, 10, 11, 12, &window),
                                                new CallTimersContainer(&window)};
        // Installing the sections' catalogs keeps the host's direction.
        QCOMPARE(QApplication::layoutDirection(), LoLocale().textDirection());
        const QStringList rows[] = {{"resetItem_0", "resetButton_0"}, {"resetItem_1", "resetButton_1"},
                                    {"timersResetDate", "timersResetBtn"}};
        for (int i = 0; i < sections.size(); ++i) {
            sections[i]->resize(480, sections[i]->effectiveSizeHint(Qt::PreferredSize).height());
            QApplication::processEvents(); // the layouts' pending requests
            QRectF found[2];
            QList<QGraphicsItem *> items = sections[i]->childItems();
            while (!items.isEmpty()) {
                QGraphicsItem *item = items.takeFirst();
                items += item->childItems();
                const int at = item->isWidget() ? rows[i].indexOf(static_cast<QGraphicsWidget *>(item)->objectName()) : -1;
                if (at >= 0)
                    found[at] = item->sceneBoundingRect();
            }
            const QRectF &date = found[0], &button = found[1];
            const bool rightToLeft = button.right() <= date.left(), leftToRight = date.right() <= button.left();
            QVERIFY2(!date.isEmpty() && !button.isEmpty() && (direction == Qt::RightToLeft ? rightToLeft : leftToRight),
                     qPrintable(QStringLiteral("%1: date %2..%3, button %4..%5").arg(rows[i].join(QLatin1Char(' ')))
                                    .arg(date.left()).arg(date.right()).arg(button.left()).arg(button.right())));
        }
    }
};

QTEST_MAIN(TestRowDirection)
#include "tst_rowdirection.moc"
