// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "hostwindow.h"

#include "calltimersdialog.h"
#include "datacounterdialog.h"
#include "datacounterwidget.h"
#include "lolocale.h"
#include "loscenemanager.h"
#include "lotheme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Dialogs shown over the content stack above it, the newest on top.
const qreal OverlayBaseZ = 100;

const char *const OfferedLocales[] = {"en_GB", "en_US", "de_DE", "fi_FI", "ar_EG", "he_IL", "hi_IN"};

QString openButtonText(HostWindow::Content content)
{
    switch (content) {
    case HostWindow::Content::Page:
        return QStringLiteral("Open page");
    case HostWindow::Content::Dialog:
        return QStringLiteral("Open dialog");
    case HostWindow::Content::CallTimers:
        return QStringLiteral("Open call timers");
    }
    return QString();
}

} // namespace

HostWindow::HostWindow(Content content, QWidget *parent)
    : QWidget(parent)
    , mContentType(content)
{
    setWindowTitle(QStringLiteral("Data counters demo"));
    resize(phoneSize());

    mScene = new QGraphicsScene(this);
    mScene->setBackgroundBrush(LoTheme::windowColor());
    mView = new QGraphicsView(mScene, this);
    mView->setFrameShape(QFrame::NoFrame);
    mView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mView->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mView->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    mView->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { background: transparent; width: 6px; margin: 0; }"
        "QScrollBar::handle:vertical { background: #5a5a5a; border-radius: 3px; min-height: 40px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }"));
    mView->viewport()->installEventFilter(this);
    connect(mView->verticalScrollBar(), &QScrollBar::valueChanged, this, &HostWindow::layoutOverlays);

    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("hostBar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setStyleSheet(QStringLiteral(
        "#hostBar { background: #050505; border-top: 1px solid #333; }"
        "QPushButton { color: white; background: #262626; border: 1px solid #444;"
        "  border-radius: 6px; padding: 6px 14px; font-size: 16px; }"
        "QPushButton:pressed { background: #3d6fb4; }"
        "QComboBox { color: white; background: #262626; border: 1px solid #444;"
        "  border-radius: 6px; padding: 4px 8px; font-size: 15px; }"
        "QComboBox QAbstractItemView { color: white; background: #262626; }"
        "QCheckBox { color: white; font-size: 15px; }"));
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(10, 6, 10, 6);

    mBackButton = new QPushButton(QStringLiteral("\u2039 Back"), bar);
    mBackButton->setObjectName(QStringLiteral("backButton"));
    mBackButton->setToolTip(QStringLiteral("The phone's back key (Esc)"));
    // The bar's controls never take the focus from a field of the page.
    mBackButton->setFocusPolicy(Qt::NoFocus);
    connect(mBackButton, &QPushButton::clicked, this, &HostWindow::back);

    mOpenButton = new QPushButton(openButtonText(content), bar);
    mOpenButton->setObjectName(QStringLiteral("openButton"));
    mOpenButton->setFocusPolicy(Qt::NoFocus);
    mOpenButton->hide();
    connect(mOpenButton, &QPushButton::clicked, this, &HostWindow::openContent);

    mLocaleBox = new QComboBox(bar);
    mLocaleBox->setObjectName(QStringLiteral("localeBox"));
    mLocaleBox->setFocusPolicy(Qt::NoFocus);
    mLocaleBox->setToolTip(QStringLiteral("Language and region"));
    const QString current = LoLocale().name();
    for (const char *name : OfferedLocales)
        mLocaleBox->addItem(QString::fromLatin1(name));
    if (mLocaleBox->findText(current) < 0)
        mLocaleBox->insertItem(0, current);
    mLocaleBox->setCurrentIndex(mLocaleBox->findText(current));
    connect(mLocaleBox, QOverload<int>::of(&QComboBox::activated), this, &HostWindow::localeChosen);

    mRoamingBox = new QCheckBox(QStringLiteral("Roaming"), bar);
    mRoamingBox->setObjectName(QStringLiteral("roamingBox"));
    mRoamingBox->setFocusPolicy(Qt::NoFocus);
    mRoamingBox->setToolTip(QStringLiteral("Register the simulated modem on a visited network"));
    mRoamingBox->hide();
    connect(mRoamingBox, &QCheckBox::toggled, this, &HostWindow::roamingChosen);

    barLayout->addWidget(mBackButton);
    barLayout->addStretch();
    barLayout->addWidget(mOpenButton);
    barLayout->addStretch();
    barLayout->addWidget(mRoamingBox);
    barLayout->addWidget(mLocaleBox);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mView, 1);
    layout->addWidget(bar);

    for (const QKeySequence &key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_Back),
                                    QKeySequence(QKeySequence::Back)}) {
        auto *shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, &HostWindow::back);
    }

    LoSceneManager *manager = LoSceneManager::instance();
    connect(manager, &LoSceneManager::windowAppeared, this, &HostWindow::windowAppeared);
    connect(manager, &LoSceneManager::windowDisappeared, this, &HostWindow::windowDisappeared);

    // A host installs the catalog of the texts it shows itself; the call timers
    // dialog, unlike the page, installs none.
    if (content == Content::CallTimers) {
        LoLocale locale;
        locale.installTrCatalog(QStringLiteral("cellular-adaptation"));
        LoLocale::setDefault(locale);
    }

    openContent();
}

HostWindow::~HostWindow()
{
    // The scene and what it shows (dialogs that are still open too) go before
    // the members that its signals would reach.
    disconnect(LoSceneManager::instance(), nullptr, this, nullptr);
    disconnect(mView->verticalScrollBar(), nullptr, this, nullptr);
    mView->viewport()->removeEventFilter(this);
    mView->setScene(nullptr);
    delete mScene;
}

QSize HostWindow::phoneSize()
{
    return QSize(480, 854);
}

bool HostWindow::applyLocale(const QString &name)
{
    LoLocale next(name);
    // ICU accepts any well-formed name; Qt knows which languages exist.
    if (!next.isValid() || QLocale(name).language() == QLocale::C)
        return false;
    const LoLocale current;
    const QStringList catalogs = current.trCatalogs();
    for (const QString &catalog : catalogs)
        next.installTrCatalog(catalog);
    LoLocale::setDefault(next);
    QGuiApplication::setLayoutDirection(next.textDirection());
    return true;
}

QGraphicsWidget *HostWindow::content() const
{
    return mContent;
}

QGraphicsView *HostWindow::view() const
{
    return mView;
}

void HostWindow::scrollContent(int y)
{
    layoutContent();
    QScrollBar *bar = mView->verticalScrollBar();
    bar->setValue(y < 0 ? bar->maximum() : y);
}

QImage HostWindow::screenshot()
{
    return grab().toImage();
}

void HostWindow::showRoamingSwitch()
{
    mRoamingBox->show();
}

void HostWindow::openContent()
{
    if (mContent)
        return;
    mOpenButton->hide();
    switch (mContentType) {
    case Content::Page: {
        auto *page = new DataCounterWidget(true, nullptr);
        mPage = page;
        mContent = page;
        mScene->addItem(page);
        page->installEventFilter(this);
        // Whatever way the page asks to go, it is left the way back() leaves it.
        connect(page, &VcpWidget::closePage, this, &HostWindow::back);
        scheduleLayout();
        break;
    }
    case Content::Dialog:
        mMainWindow = new DataCounterDialog;
        mMainWindow->appear(LoSceneWindow::DestroyWhenDone);
        break;
    case Content::CallTimers:
        mMainWindow = new CallTimersDialog;
        mMainWindow->appear(LoSceneWindow::DestroyWhenDone);
        break;
    }
    QTimer::singleShot(0, this, &HostWindow::announceDisplayEntered);
    Q_EMIT contentOpened();
}

void HostWindow::back()
{
    if (LoSceneWindow *top = topOverlay()) {
        if (auto *dialog = qobject_cast<LoDialog *>(top))
            dialog->close();
        else
            top->disappear();
        return;
    }
    if (mPage) {
        // The page validates its fields and says whether it may be left.
        if (!mPage->back())
            return;
        VcpWidget *page = mPage;
        mPage = nullptr;
        mScene->removeItem(page);
        page->deleteLater();
        contentGone();
        return;
    }
    if (auto *dialog = qobject_cast<LoDialog *>(mMainWindow.data()))
        dialog->close();
}

bool HostWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mView->viewport() && event->type() == QEvent::Resize)
        scheduleLayout();
    else if (event->type() == QEvent::LayoutRequest && watched == mContent)
        scheduleLayout();
    return QWidget::eventFilter(watched, event);
}

void HostWindow::windowAppeared(LoSceneWindow *window)
{
    if (!window)
        return;
    if (window->scene() != mScene)
        mScene->addItem(window);
    window->show();
    if (window == mMainWindow) {
        mContent = window;
        window->setZValue(0);
        window->installEventFilter(this);
    } else {
        // A dialog covers the visible screen with its own backdrop, which keeps
        // the page below out of reach.
        mOverlays.append(window);
        layoutOverlays();
    }
    scheduleLayout();
}

void HostWindow::windowDisappeared(LoSceneWindow *window)
{
    mOverlays.removeAll(window);
    mOverlays.removeAll(nullptr);
    // A window that disappeared is no longer drawn; with the deletion policy
    // that the toolkit was given it deletes itself.
    if (window && window->scene() == mScene)
        mScene->removeItem(window);
    if (window && window == mMainWindow) {
        mMainWindow = nullptr;
        contentGone();
    }
    scheduleLayout();
}

void HostWindow::localeChosen(int index)
{
    const QString name = mLocaleBox->itemText(index);
    if (!applyLocale(name))
        mLocaleBox->removeItem(index);
    scheduleLayout();
}

void HostWindow::scheduleLayout()
{
    if (mLayoutPending)
        return;
    mLayoutPending = true;
    QTimer::singleShot(0, this, [this] {
        mLayoutPending = false;
        layoutContent();
    });
}

void HostWindow::layoutContent()
{
    const QSize viewport = mView->viewport()->size();
    const qreal width = viewport.width();
    qreal height = viewport.height();
    if (mContent) {
        const QSizeF hint = mContent->effectiveSizeHint(Qt::PreferredSize, QSizeF(width, -1));
        mContent->setGeometry(QRectF(0, 0, width, hint.height()));
        height = qMax(height, hint.height());
    }
    mScene->setSceneRect(0, 0, width, height);
    layoutOverlays();
}

void HostWindow::layoutOverlays()
{
    // Overlays stay in the middle of what is visible, wherever the content was scrolled.
    const QRectF visible = mView->mapToScene(mView->viewport()->rect()).boundingRect();
    qreal z = OverlayBaseZ;
    for (const QPointer<LoSceneWindow> &window : qAsConst(mOverlays)) {
        if (!window)
            continue;
        window->setGeometry(visible);
        window->setZValue(z++);
    }
}

void HostWindow::announceDisplayEntered()
{
    if (!isVisible())
        return;
    if (mPage) {
        mPage->announceDisplayEntered();
    } else if (auto *dialog = qobject_cast<LoDialog *>(mMainWindow.data())) {
        dialog->announceDisplayEntered();
        if (auto *central = qobject_cast<LoWidget *>(dialog->centralWidget()))
            central->announceDisplayEntered();
    }
}

void HostWindow::contentGone()
{
    mContent = nullptr;
    mOpenButton->show();
    scheduleLayout();
    Q_EMIT contentClosed();
}

LoSceneWindow *HostWindow::topOverlay() const
{
    for (int i = mOverlays.size() - 1; i >= 0; --i) {
        if (mOverlays.at(i))
            return mOverlays.at(i);
    }
    return nullptr;
}
