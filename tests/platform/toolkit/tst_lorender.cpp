#include "lobutton.h"
#include "lolabel.h"
#include "lomessagebox.h"
#include "loprogressindicator.h"
#include "lotextedit.h"
#include "lotheme.h"
#include "testscene.h"

#include <QtTest>

#include <functional>
#include <memory>

class TestLoRender : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawsItsState_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"label", "button", "switch", "text edit", "message box", "spinner"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }

    // Each kind of widget the pages show draws itself on the theme's window
    // colour, and what the user must see change (a text, the switch's state,
    // the spinner's activity) changes the picture.
    void drawsItsState()
    {
        QFETCH(QString, kind);
        std::unique_ptr<QGraphicsWidget> widget;
        std::function<void()> change;
        if (kind == QLatin1String("label")) {
            auto *label = new LoLabel(QStringLiteral("Data counters"));
            label->setStyleName(QStringLiteral("CommonTitleInverted"));
            change = [label] { label->setText(QString()); };
            widget.reset(label);
        } else if (kind == QLatin1String("button") || kind == QLatin1String("switch")) {
            auto *button = new LoButton(QStringLiteral("Reset"));
            button->setStyleName(QStringLiteral("CommonListButtonInverted"));
            change = [button] { button->setText(QString()); };
            if (kind == QLatin1String("switch")) {
                button->setViewType(QString::fromLatin1(LoButton::switchType));
                button->setStyleName(QStringLiteral("CommonRightSwitchInverted"));
                button->setCheckable(true);
                change = [button] { button->click(); };
            }
            widget.reset(button);
        } else if (kind == QLatin1String("text edit")) {
            auto *edit = new LoTextEdit(LoTextEdit::SingleLine, QStringLiteral("888"));
            edit->setStyleName(QStringLiteral("CommonSingleInputFieldInverted"));
            change = [edit] { edit->clear(); };
            widget.reset(edit);
        } else if (kind == QLatin1String("message box")) {
            auto *box = new LoMessageBox(QStringLiteral("Reset"), QStringLiteral("Reset the data counters?"),
                                         Lo::YesButton | Lo::NoButton);
            box->appear();
            change = [box] { box->setText(QString()); };
            widget.reset(box);
        } else {
            auto *spinner = new LoProgressIndicator(nullptr, QString::fromLatin1(LoProgressIndicator::spinnerType));
            spinner->setStyleName(QStringLiteral("CommonListItemSpinnerInverted"));
            change = [spinner] { spinner->setUnknownDuration(true); };
            widget.reset(spinner);
        }

        const QImage before = SceneShot::render(widget.get());
        change();
        const QImage after = SceneShot::render(widget.get());
        SceneShot::save(before, QStringLiteral("tst_lorender-") + kind);
        const int ink = SceneShot::inkPixels(before, before.rect(), LoTheme::windowColor().rgb());
        QVERIFY2(ink > 100, qPrintable(QString::number(ink)));
        const QRect common = before.rect() & after.rect();
        int changed = before.width() * before.height() - after.width() * after.height();
        changed = qAbs(changed);
        for (int y = 0; y < common.height(); ++y) {
            for (int x = 0; x < common.width(); ++x)
                changed += before.pixel(x, y) != after.pixel(x, y);
        }
        QVERIFY2(changed > 50, qPrintable(QString::number(changed)));
    }
};

QTEST_MAIN(TestLoRender)
#include "tst_lorender.moc"
