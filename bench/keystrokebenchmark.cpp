// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "keystrokebenchmark.h"

#include "benchstore.h"
#include "floorstore.h"
#include "pagebuildbenchmark.h"

#include "countercontainer.h"
#include "storagekeys.h"
#include "testscene.h"

#include <loconfstore_p.h>
#include <lotextedit.h>

#include <QCoreApplication>
#include <QGraphicsWidget>
#include <QKeyEvent>
#include <QLineEdit>

#include <chrono>

namespace
{
const QString Stored = QStringLiteral("12000000");
const int WarmUpKeystrokes = 10;
const int CountedKeystrokes = 50;

QString storedText(StorageKeys::KeyId key)
{
    QString error;
    const QVariant value = LoConfStore::instance().read(StorageKeys::path(key), &error);
    return value.userType() == QMetaType::QString ? value.toString() : QString();
}

bool bothStored()
{
    return storedText(StorageKeys::GprsHomeUiNotificationPeriod) == Stored
        && storedText(StorageKeys::GprsHomeNotificationPeriod) == Stored;
}
} // namespace

// One keystroke's worth of work, again and again: the digit "2" typed after "1"
// into the library's home limit field, or the floor's two writes of "12" MB.
class KeystrokeBenchmark::Typist
{
public:
    explicit Typist(bool library)
        : m_keys{StorageKeys::path(StorageKeys::GprsHomeUiNotificationPeriod).toUtf8(),
                 StorageKeys::path(StorageKeys::GprsHomeNotificationPeriod).toUtf8()}
    {
        if (!library) {
            // Something else first, so that the check sees the floor's own writes.
            for (const QByteArray &key : m_keys)
                BenchStore::setString(QString::fromUtf8(key), QStringLiteral("1000000"));
            return;
        }
        // The warning is on: the digit goes to the entered and the effective limit.
        BenchStore::setString(StorageKeys::path(StorageKeys::GprsHomeNotificationPeriod), QStringLiteral("2000000000"));
        m_page = PageBuildBenchmark::buildLibrary();
        m_section = ItemFinder::find<CounterContainer>(m_page, QStringLiteral("CounterContainer_0"));
        m_field = m_section ? ItemFinder::find<LoTextEdit>(m_section, QStringLiteral("warningPeriodIput_0")) : nullptr;
        m_editor = m_field ? m_field->lineEdit() : nullptr;
    }
    ~Typist()
    {
        if (m_page)
            PageBuildBenchmark::dispose(m_page);
    }

    const char *error() const { return m_page && !m_editor ? "the page has no home limit field" : nullptr; }

    // Back to "1" without a signal, and the echoes of the last writes handled.
    void prepare()
    {
        if (m_section)
            m_section->setWarningPeriod(QStringLiteral("1"));
        QCoreApplication::processEvents();
    }

    bool type()
    {
        if (!m_editor)
            return FloorStore::instance().setStrings(m_keys, Stored.toUtf8());
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
            QCoreApplication::sendEvent(m_editor, &event);
        }
        return true;
    }

    // The floor's writes may not be waited for (dconf): the check reads through
    // another client, which sees them once the store holds them.
    void settle()
    {
        if (!m_page)
            FloorStore::instance().sync();
    }

    const char *check() const
    {
        if (m_field && m_field->text() != QLatin1String("12"))
            return "the field does not show the digit";
        if (!bothStored())
            return m_page ? "the digit did not reach both keys" : "the floor did not store both keys";
        return nullptr;
    }

private:
    const QByteArrayList m_keys;
    QGraphicsWidget *m_page = nullptr;
    CounterContainer *m_section = nullptr;
    LoTextEdit *m_field = nullptr;
    QWidget *m_editor = nullptr;
};

void KeystrokeBenchmark::registerBenchmarks()
{
    for (auto *b : {benchmark::RegisterBenchmark("keystroke/library", &KeystrokeBenchmark::library),
                    benchmark::RegisterBenchmark("keystroke/floor", &KeystrokeBenchmark::floor)}) {
        b->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(1.0)->Repetitions(5);
    }
}

void KeystrokeBenchmark::library(benchmark::State &state)
{
    timeKeystrokes(state, true);
}

void KeystrokeBenchmark::floor(benchmark::State &state)
{
    timeKeystrokes(state, false);
}

void KeystrokeBenchmark::timeKeystrokes(benchmark::State &state, bool library)
{
    Typist typist(library);
    if (const char *error = typist.error()) {
        state.SkipWithError(error);
        return;
    }
    for (auto _ : state) {
        typist.prepare();
        const auto start = std::chrono::steady_clock::now();
        const bool typed = typist.type();
        const auto end = std::chrono::steady_clock::now();
        if (!typed) {
            state.SkipWithError("the store refused the writes");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    typist.settle();
    if (const char *error = typist.check())
        state.SkipWithError(error);
}

Q_NEVER_INLINE bool KeystrokeBenchmark::measuredKeystroke(Typist &typist)
{
    return typist.type();
}

int KeystrokeBenchmark::countKeystrokes(bool library)
{
    Typist typist(library);
    if (typist.error())
        return 0;
    for (int i = 0; i < WarmUpKeystrokes + CountedKeystrokes; ++i) {
        typist.prepare();
        if (!(i < WarmUpKeystrokes ? typist.type() : measuredKeystroke(typist)))
            return 0;
    }
    typist.settle();
    return typist.check() ? 0 : CountedKeystrokes;
}
