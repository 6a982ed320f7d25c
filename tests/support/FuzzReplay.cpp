// Runs the fuzz target over the inputs kept in the repository, without libFuzzer.

#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main()
{
    const QDir corpus(QStringLiteral(GEARLOG_FUZZ_CORPUS));
    const QStringList inputs = corpus.entryList(QDir::Files, QDir::Name);
    int ran = 0;
    for (const QString& name : inputs) {
        QFile f(corpus.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray data = f.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(name)); // names the input if it fails
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size()));
        ++ran;
    }
    std::printf("%d passed, 0 failed\n", ran);
    return ran > 0 ? 0 : 1;
}
