// Running the generator again reproduces every committed file byte for byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <map>

namespace {

std::map<QString, QByteArray> filesUnder(const QString& root) {
    std::map<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        out[QDir(root).relativeFilePath(f.fileName())] =
            f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
    }
    return out;
}

TEST(Reproducible, GeneratorRecreatesTheCommittedFiles) {
    QTemporaryDir tmp;
    const QString assets = tmp.filePath(QStringLiteral("assets"));
    const QString docs = tmp.filePath(QStringLiteral("docs"));
    qputenv("QT_QPA_PLATFORM", "offscreen");  // the lettering drawn as in every other run
    QProcess gen;
    gen.start(QStringLiteral(VELMORA_ASSETGEN), {assets, docs});
    ASSERT_TRUE(gen.waitForFinished(120000));
    ASSERT_EQ(gen.exitCode(), 0) << gen.readAllStandardError().toStdString();
    const auto sameAsCommitted = [](const QString& made, const QString& committed) {
        const auto got = filesUnder(made), want = filesUnder(committed);
        EXPECT_FALSE(got.empty());
        for (const auto& [name, bytes] : got) {
            EXPECT_TRUE(want.count(name) && want.at(name) == bytes)
                << name.toStdString() << " differs from the committed file";
        }
        return got.size() == want.size();
    };
    EXPECT_TRUE(sameAsCommitted(assets, QStringLiteral(VELMORA_ASSETS_DIR)))
        << "a committed file that the generator no longer makes";
    // Beside the generator's previews, docs/ holds screenshots of the game.
    sameAsCommitted(docs, QStringLiteral(VELMORA_DOCS_DIR));
    // The generator needs both folders; anything else is refused.
    gen.start(QStringLiteral(VELMORA_ASSETGEN), {QStringLiteral("only-one")});
    ASSERT_TRUE(gen.waitForFinished(30000));
    EXPECT_NE(gen.exitCode(), 0);
}

}  // namespace
