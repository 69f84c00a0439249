// SPDX-License-Identifier: MIT
// Runs a fuzz target without libFuzzer, once over each file named or found in a folder named, so that
// the committed seeds are checked by any compiler in every test run. A target that finds a fault traps.
#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size);

int main(int argc, char** argv)
{
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QFile::decodeName(argv[i]);
        if (!QFileInfo(arg).isDir())
            files << arg;
        for (QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            files << it.next();
    }
    files.sort();
    for (const QString& name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(name));   // the last one named is the one that trapped
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                               std::size_t(bytes.size()));
    }
    std::printf("%lld seeds passed\n", static_cast<long long>(files.size()));
    return files.isEmpty() ? 1 : 0;
}
