// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// Runs a fuzz target over the files named on the command line and the files below
// the directories named there: the corpus as a regression test without libFuzzer.

#include <QDirIterator>
#include <QFile>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        files.append(QFile::decodeName(argv[i]));
        for (QDirIterator it(files.last(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            files.append(it.next());
    }
    LLVMFuzzerInitialize(&argc, &argv);
    int replayed = 0;
    for (const QString &path : qAsConst(files)) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) { // directories do not open
            const QByteArray bytes = file.readAll();
            qInfo("replaying %s (%d bytes)", qPrintable(path), int(bytes.size()));
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++replayed;
        }
    }
    qInfo("replayed %d inputs without a failure", replayed);
    return replayed ? 0 : 2; // no input is a mistake in the test's command
}
