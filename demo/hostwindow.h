// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef HOSTWINDOW_H
#define HOSTWINDOW_H

#include <QPointer>
#include <QWidget>

class LoSceneWindow;
class QCheckBox;
class QComboBox;
class QGraphicsScene;
class QGraphicsView;
class QGraphicsWidget;
class QPushButton;
class VcpWidget;

/**
 * A phone-sized window that hosts what the control panel would host: the data
 * counters page, the page inside its dialog, or the call timers dialog.
 *
 * The content fills the width of a graphics view and scrolls vertically; every
 * other window that the toolkit shows (confirmation boxes) covers the visible
 * part of the screen on top of it, wherever the content was scrolled. The bar
 * at the bottom has the phone's back key, a button that opens the content again
 * once it was left, a language switch and, while the phone's use is simulated,
 * a roaming switch.
 */
class HostWindow : public QWidget
{
    Q_OBJECT
public:
    enum class Content { Page, Dialog, CallTimers };

    explicit HostWindow(Content content, QWidget *parent = nullptr);
    ~HostWindow() override;

    /** Portrait phone screen, in pixels. */
    static QSize phoneSize();

    /**
     * Makes the locale @p name (such as "en_GB" or "ar_EG") the default, keeps
     * the catalogs already installed and lays text out in its direction.
     * Returns false, changing nothing, for a name that is not a locale.
     */
    static bool applyLocale(const QString &name);

    /** The content window or page, while it is shown. */
    QGraphicsWidget *content() const;
    QGraphicsView *view() const;

    /** Scrolls the content to @p y pixels from its top; -1 scrolls to its end. */
    void scrollContent(int y);

    /** The window as it is drawn now. */
    QImage screenshot();

    /** Shows the "Roaming" switch in the bar; roamingChosen() tells what it is set to. */
    void showRoamingSwitch();

public Q_SLOTS:
    /** Creates and shows the content; does nothing while it is shown. */
    void openContent();
    /** The phone's back key: closes the top dialog, else leaves the content. */
    void back();

Q_SIGNALS:
    void contentOpened();
    void contentClosed();
    void roamingChosen(bool roaming);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void windowAppeared(LoSceneWindow *window);
    void windowDisappeared(LoSceneWindow *window);
    void localeChosen(int index);

private:
    void scheduleLayout();
    void layoutContent();
    void layoutOverlays();
    void announceDisplayEntered();
    void contentGone();
    LoSceneWindow *topOverlay() const;

    const Content mContentType;
    QGraphicsScene *mScene = nullptr;
    QGraphicsView *mView = nullptr;
    QPushButton *mBackButton = nullptr;
    QPushButton *mOpenButton = nullptr;
    QComboBox *mLocaleBox = nullptr;
    QCheckBox *mRoamingBox = nullptr;
    QPointer<QGraphicsWidget> mContent;
    QPointer<VcpWidget> mPage;
    QPointer<LoSceneWindow> mMainWindow;
    QList<QPointer<LoSceneWindow>> mOverlays;
    bool mLayoutPending = false;
};

#endif
