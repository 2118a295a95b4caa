// kestrix-thumbnailer as a file manager runs it: a picture for a session, and
// a clean failure with nothing written for anything else.
#include "session_loader.h"
#include "track_color.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Far beyond what a refusal takes; only a hang reaches it.
constexpr int kHangMilliseconds = 10000;

struct ThumbnailerRun {
    bool finished = false;
    int exitCode = -1;
    QString errors;
};

ThumbnailerRun thumbnail(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(KESTRIX_THUMBNAILER), arguments);
    ThumbnailerRun run;
    run.finished = process.waitForFinished(kHangMilliseconds);
    if (!run.finished)
        process.kill();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QSet<QRgb> opaqueColours(const QImage &image)
{
    QSet<QRgb> colours;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(rgb.pixel(x, y) & 0xffffff);
    return colours;
}

TEST(Thumbnailer, DrawsTheDemoSessionsTracksAndAnythingElseFailsWithoutWritingAFile)
{
    QTemporaryDir pictures;
    const auto session = kestrix::loadSession(KESTRIX_DEMO_SESSION);
    ASSERT_TRUE(session.ok());

    for (int size : {128, 256}) {
        const QString out = pictures.filePath(QStringLiteral("thumb-%1.png").arg(size));
        const ThumbnailerRun run = thumbnail({"-s", QString::number(size), KESTRIX_DEMO_SESSION, out});
        ASSERT_TRUE(run.finished);
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
        const QImage image(out, "PNG");
        EXPECT_EQ(image.size(), QSize(size, size));
        const QSet<QRgb> colours = opaqueColours(image);
        int tracksWithClips = 0;
        for (const kestrix::PTXTrackInfo &track : session.value().tracks) {
            if (!track.clips.empty() && ++tracksWithClips) {
                EXPECT_TRUE(colours.contains(kestrix::trackColor(track).rgb() & 0xffffff)) << track.name << " at " << size;
            }
        }
        EXPECT_GT(tracksWithClips, 3);
    }

    // Anything but a session fails without writing a file.
    QTemporaryDir dir;
    QFile demo(QStringLiteral(KESTRIX_DEMO_SESSION));
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    const QByteArray bytes = demo.readAll();
    const auto write = [&](const QString &name, const QByteArray &content) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    };
    QByteArray noise(64 * 1024, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 2654435761u) >> 13);
    ASSERT_TRUE(QDir(dir.path()).mkdir("Folder.ptx"));

    const QStringList inputs{write("Truncated.ptx", bytes.left(bytes.size() / 2)),
                             write("Header only.ptx", bytes.left(24)), write("Empty.ptx", {}),
                             write("Noise.ptx", noise), dir.filePath("Folder.ptx"), dir.filePath("Missing.ptx")};
    for (const QString &input : inputs) {
        const ThumbnailerRun run = thumbnail({"-s", "256", input, dir.filePath("out.png")});
        EXPECT_TRUE(run.finished && run.exitCode == 1 && !run.errors.isEmpty()) << input.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList({"*.png", "out.png.*"}, QDir::Files), QStringList()) << "no leftovers";

    // Usage errors are told apart from unreadable sessions.
    EXPECT_EQ(thumbnail({"-s", "0", KESTRIX_DEMO_SESSION, dir.filePath("out.png")}).exitCode, 2);
    EXPECT_EQ(thumbnail({KESTRIX_DEMO_SESSION}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(dir.filePath("out.png")));
    // An output that cannot be written is a failure too.
    EXPECT_EQ(thumbnail({"-s", "64", KESTRIX_DEMO_SESSION, dir.filePath("no/such/folder/out.png")}).exitCode, 1);
}

} // namespace
