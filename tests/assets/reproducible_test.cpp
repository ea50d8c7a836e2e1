// Running the generator again reproduces every committed file byte for byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <set>

namespace {

std::set<QString> filesUnder(const QString& root) {
    std::set<QString> out;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        out.insert(QDir(root).relativeFilePath(it.next()));
    }
    return out;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(Reproducible, GeneratorRecreatesTheCommittedFiles) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString assets = tmp.filePath(QStringLiteral("assets"));
    const QString docs = tmp.filePath(QStringLiteral("docs"));
    QProcess gen;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    gen.setProcessEnvironment(env);
    gen.start(QStringLiteral(VELMORA_ASSETGEN), {assets, docs});
    ASSERT_TRUE(gen.waitForFinished(120000));
    ASSERT_EQ(gen.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(gen.exitCode(), 0) << gen.readAllStandardError().toStdString();

    const std::set<QString> made = filesUnder(assets);
    const std::set<QString> committed = filesUnder(QStringLiteral(VELMORA_ASSETS_DIR));
    EXPECT_EQ(made, committed) << "the generator and assets/ disagree on the list of files";
    for (const QString& f : made) {
        EXPECT_EQ(contents(assets + QLatin1Char('/') + f),
                  contents(QStringLiteral(VELMORA_ASSETS_DIR "/") + f))
            << f.toStdString() << " differs from the committed file";
    }
    const std::set<QString> previews = filesUnder(docs);
    EXPECT_FALSE(previews.empty());
    for (const QString& f : previews) {
        EXPECT_EQ(contents(docs + QLatin1Char('/') + f),
                  contents(QStringLiteral(VELMORA_DOCS_DIR "/") + f))
            << "docs/" << f.toStdString() << " differs from the committed preview";
    }
}

TEST(Reproducible, GeneratorRefusesWrongArguments) {
    QProcess gen;
    gen.start(QStringLiteral(VELMORA_ASSETGEN), {QStringLiteral("only-one")});
    ASSERT_TRUE(gen.waitForFinished(30000));
    EXPECT_NE(gen.exitCode(), 0);
}

}  // namespace
