#include "lobutton.h"
#include "locontainer.h"
#include "lohelpbutton.h"
#include "loimagewidget.h"
#include "lolabel.h"
#include "loprogressindicator.h"
#include "lotheme.h"

#include <QFontInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QtTest>

namespace {

const QRgb Background = qRgb(0, 0, 0);

// Draws @p widget at @p size, alone in a scene, onto black.
QImage render(QGraphicsWidget *widget, const QSizeF &size)
{
    QGraphicsScene scene;
    scene.addItem(widget);
    widget->setGeometry(QRectF(QPointF(0, 0), size));
    if (widget->layout())
        widget->layout()->activate();
    QImage image(size.toSize(), QImage::Format_RGB32);
    image.fill(Background);
    QPainter painter(&image);
    scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
    painter.end();
    scene.removeItem(widget);
    return image;
}

bool isInk(QRgb pixel, QRgb background)
{
    return qAbs(qRed(pixel) - qRed(background)) > 40 || qAbs(qGreen(pixel) - qGreen(background)) > 40
        || qAbs(qBlue(pixel) - qBlue(background)) > 40;
}

int inkPixels(const QImage &image, const QRect &area, QRgb background = Background)
{
    int count = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (isInk(image.pixel(x, y), background))
                ++count;
        }
    }
    return count;
}

QRect inkBounds(const QImage &image, QRgb background = Background)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isInk(image.pixel(x, y), background))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// Pixels close to @p color.
int pixelsNear(const QImage &image, const QRect &area, const QColor &color)
{
    int count = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAbs(qRed(p) - color.red()) < 12 && qAbs(qGreen(p) - color.green()) < 12
                && qAbs(qBlue(p) - color.blue()) < 12)
                ++count;
        }
    }
    return count;
}

} // namespace

class TestLoRender : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void themeUsesDejaVu();
    void themeKnowsEveryStyleInUse_data();
    void themeKnowsEveryStyleInUse();
    void labelDrawsText();
    void labelAlignment_data();
    void labelAlignment();
    void elidedTextStaysInside();
    void switchShowsState();
    void spinnerMoves();
    void buttonsDraw();
    void containerTitleAboveContent();
};

void TestLoRender::themeUsesDejaVu()
{
    const QFont font = LoTheme::style(QStringLiteral("CommonTitleInverted")).font();
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(font.pixelSize(), 24);
}

void TestLoRender::themeKnowsEveryStyleInUse_data()
{
    QTest::addColumn<QString>("name");
    const char *const names[] = {
        "CommonContainerInverted", "CommonFieldLabelInverted", "CommonGroupHeaderInverted",
        "CommonHeaderInverted", "CommonLargePanelInverted", "CommonListButtonInverted",
        "CommonListItemSpinnerInverted", "CommonMainIcon", "CommonPanelInverted",
        "CommonRightIconInverted", "CommonRightSwitchInverted", "CommonSingleInputFieldInverted",
        "CommonSingleTitleInverted", "CommonSmallSpacer", "CommonSpacer", "CommonSubTitleInverted",
        "CommonSwitchIconInverted", "CommonTitleInverted", "CommonBodyTextInverted", "CommonSwitchInverted",
    };
    for (const char *name : names)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestLoRender::themeKnowsEveryStyleInUse()
{
    QFETCH(QString, name);
    QVERIFY(LoTheme::hasStyle(name));
    QCOMPARE(LoTheme::style(name).name, name);
    QVERIFY(LoTheme::styleNames().contains(name));
}

void TestLoRender::labelDrawsText()
{
    auto *label = new LoLabel(QStringLiteral("Data counters"));
    label->setStyleName(QStringLiteral("CommonTitleInverted"));
    const QImage image = render(label, QSizeF(300, 50));
    const int ink = inkPixels(image, image.rect());
    QVERIFY2(ink > 150, qPrintable(QString::number(ink)));
    // Mostly the theme's text colour, light on black.
    QVERIFY(pixelsNear(image, image.rect(), LoTheme::style(QStringLiteral("CommonTitleInverted")).textColor) > 30);

    label->setText(QString());
    QCOMPARE(inkPixels(render(label, QSizeF(300, 50)), QRect(0, 0, 300, 50)), 0);
    delete label;
}

void TestLoRender::labelAlignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("atRight");
    QTest::newRow("left") << int(Qt::AlignLeft | Qt::AlignVCenter) << int(Qt::LeftToRight) << false;
    QTest::newRow("right") << int(Qt::AlignRight) << int(Qt::LeftToRight) << true;
    QTest::newRow("left, right-to-left layout") << int(Qt::AlignLeft | Qt::AlignVCenter) << int(Qt::RightToLeft) << true;
    QTest::newRow("absolute left, right-to-left layout") << int(Qt::AlignLeft | Qt::AlignAbsolute) << int(Qt::RightToLeft) << false;
}

void TestLoRender::labelAlignment()
{
    QFETCH(int, alignment);
    QFETCH(int, direction);
    QFETCH(bool, atRight);
    auto *label = new LoLabel(QStringLiteral("Sent"));
    label->setLayoutDirection(Qt::LayoutDirection(direction));
    label->setAlignment(Qt::Alignment(alignment));
    const QImage image = render(label, QSizeF(400, 40));
    const int left = inkPixels(image, QRect(0, 0, 200, 40));
    const int right = inkPixels(image, QRect(200, 0, 200, 40));
    QCOMPARE(right > 0, atRight);
    QCOMPARE(left > 0, !atRight);
    delete label;
}

void TestLoRender::elidedTextStaysInside()
{
    auto *label = new LoLabel(QStringLiteral("A title that is far too long for its narrow row"));
    label->setTextElide(true);
    const QImage image = render(label, QSizeF(120, 40));
    const QRect bounds = inkBounds(image);
    QVERIFY(!bounds.isNull());
    QVERIFY(image.rect().contains(bounds));
    // The end of the text is dropped, not squeezed: the ellipsis ends well inside.
    QVERIFY(bounds.right() < 119);
    delete label;
}

void TestLoRender::switchShowsState()
{
    auto *sw = new LoButton;
    sw->setViewType(QString::fromLatin1(LoButton::switchType));
    sw->setStyleName(QStringLiteral("CommonRightSwitchInverted"));
    sw->setCheckable(true);
    const QSizeF size = sw->effectiveSizeHint(Qt::PreferredSize);
    const QColor accent = LoTheme::accentColor();
    const QColor knob(0xf4, 0xf4, 0xf4);
    const int half = qRound(size.width() / 2);
    const int h = qRound(size.height());

    const QImage off = render(sw, size);
    QVERIFY(inkPixels(off, off.rect()) > 200);
    QCOMPARE(pixelsNear(off, off.rect(), accent), 0);
    QVERIFY(pixelsNear(off, QRect(0, 0, half, h), knob) > 50);
    QCOMPARE(pixelsNear(off, QRect(half, 0, half, h), knob), 0);

    sw->setChecked(true);
    const QImage on = render(sw, size);
    QVERIFY(pixelsNear(on, on.rect(), accent) > 100);
    QVERIFY(pixelsNear(on, QRect(half, 0, half, h), knob) > 50);
    QCOMPARE(pixelsNear(on, QRect(0, 0, half, h), knob), 0);
    delete sw;
}

void TestLoRender::spinnerMoves()
{
    auto *spinner = new LoProgressIndicator(nullptr, QString::fromLatin1(LoProgressIndicator::spinnerType));
    spinner->setStyleName(QStringLiteral("CommonListItemSpinnerInverted"));
    const QSizeF size = spinner->effectiveSizeHint(Qt::PreferredSize);
    const QImage idle = render(spinner, size);
    QVERIFY(inkPixels(idle, idle.rect()) > 50);
    QCOMPARE(pixelsNear(idle, idle.rect(), LoTheme::accentColor()), 0);

    QGraphicsScene scene;
    scene.addItem(spinner);
    spinner->setUnknownDuration(true);
    QImage first(size.toSize(), QImage::Format_RGB32);
    first.fill(Background);
    {
        QPainter p(&first);
        scene.render(&p, QRectF(QPointF(), size), spinner->sceneBoundingRect());
    }
    QVERIFY(pixelsNear(first, first.rect(), LoTheme::accentColor()) > 20);
    const int phase = spinner->animationPhase();
    QTRY_VERIFY(spinner->animationPhase() != phase);
    QImage second(size.toSize(), QImage::Format_RGB32);
    second.fill(Background);
    {
        QPainter p(&second);
        scene.render(&p, QRectF(QPointF(), size), spinner->sceneBoundingRect());
    }
    QVERIFY(first != second);
}

void TestLoRender::buttonsDraw()
{
    auto *button = new LoButton(QStringLiteral("Reset"));
    button->setStyleName(QStringLiteral("CommonListButtonInverted"));
    const QSizeF size = button->effectiveSizeHint(Qt::PreferredSize);
    const QImage image = render(button, size);
    const QColor face = LoTheme::style(QStringLiteral("CommonListButtonInverted")).backgroundColor;
    // The face fills most of the button, the text is drawn on it.
    QVERIFY(pixelsNear(image, image.rect(), face) > size.width() * size.height() / 2);
    QVERIFY(inkPixels(image, image.rect(), face.rgb()) > 100);
    delete button;

    auto *help = new LoHelpButton(QStringLiteral("page.html"));
    const QImage helpImage = render(help, help->effectiveSizeHint(Qt::PreferredSize));
    QVERIFY(inkPixels(helpImage, helpImage.rect()) > 50);
    delete help;

    auto *icon = new LoImageWidget(QStringLiteral("icon-m-data"));
    icon->setStyleName(QStringLiteral("CommonRightIconInverted"));
    const QImage iconImage = render(icon, icon->effectiveSizeHint(Qt::PreferredSize));
    QVERIFY(inkPixels(iconImage, iconImage.rect()) > 50);
    delete icon;
}

void TestLoRender::containerTitleAboveContent()
{
    auto *container = new LoContainer(QStringLiteral("Call timers"));
    container->setStyleName(QStringLiteral("CommonContainerInverted"));
    container->centralWidget()->setPreferredSize(300, 100);
    const QSizeF size(300, container->effectiveSizeHint(Qt::PreferredSize).height());
    const QImage image = render(container, size);
    const qreal top = container->centralWidget()->geometry().top();
    QVERIFY(top > 10);
    QVERIFY(inkPixels(image, QRect(0, 0, 300, qRound(top))) > 100);
    QCOMPARE(inkPixels(image, QRect(0, qRound(top) + 1, 300, 90)), 0);
    delete container;
}

QTEST_MAIN(TestLoRender)
#include "tst_lorender.moc"
