// Finding a session's audio files on disk and reading their formats.
#include "views_test_support.h"

#include "audio_file_resolver.h"
#include "audio_format_sniffer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kestrix;
using namespace viewstest;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray header(const char *container, const char *form)
{
    return QByteArray(container) + QByteArray(4, '\0') + QByteArray(form) + QByteArray(32, '\0');
}

} // namespace

TEST(AudioFileResolver, RecordedPathThenTheAudioFilesFolderBesideTheSessionAndFormatsFromHeaders)
{
    QTemporaryDir root;
    const QString session = root.filePath("Mix/Mix.ptx");
    const QString recorded = root.filePath("Elsewhere/Kick.wav");
    writeFile(session, "not read here");
    writeFile(recorded, header("RIFF", "WAVE"));
    writeFile(root.filePath("Mix/Audio Files/Moved.aif"), header("FORM", "AIFF"));
    writeFile(root.filePath("Mix/Audio Files/Packed.aifc"), header("FORM", "AIFC"));
    writeFile(root.filePath("Mix/Audio Files/Odd.bin"), "????????????");
    writeFile(root.filePath("Library/Linked.wav"), header("RF64", "WAVE"));
    ASSERT_TRUE(QFile::link(root.filePath("Library/Linked.wav"), root.filePath("Mix/Audio Files/Linked.wav")));
    ASSERT_TRUE(QFile::link(root.filePath("Library/Gone.wav"), root.filePath("Mix/Audio Files/Dangling.wav")));

    const std::vector<PTXAudioFile> files{
        audioFile("Kick.wav", recorded.toStdString()),
        audioFile("Moved.aif", "/Volumes/Old Drive/Mix/Audio Files/Moved.aif", "AIFF"),
        audioFile("Packed.aifc", "", "AIFC"),
        audioFile("Linked.wav", "/nowhere/Linked.wav"),
        audioFile("Dangling.wav"),
        audioFile("Missing.wav", "/nowhere/Missing.wav"),
        audioFile("Odd.bin", "", "fFXM"),
    };
    const AudioFileStatus status = resolveAudioFiles(files, session);

    EXPECT_EQ(status.resolvedPaths.at("Kick.wav"), recorded.toStdString());
    EXPECT_EQ(status.resolvedPaths.at("Moved.aif"), root.filePath("Mix/Audio Files/Moved.aif").toStdString());
    // A link counts as the file it leads to.
    EXPECT_EQ(status.resolvedPaths.at("Linked.wav"),
              QFileInfo(root.filePath("Library/Linked.wav")).canonicalFilePath().toStdString());
    EXPECT_EQ(status.offlineFiles, (std::unordered_set<std::string>{"Dangling.wav", "Missing.wav"}));
    EXPECT_EQ(status.fileFormats.at("Kick.wav"), "WAV");
    EXPECT_EQ(status.fileFormats.at("Moved.aif"), "AIFF");
    EXPECT_EQ(status.fileFormats.at("Packed.aifc"), "AIFC");
    EXPECT_EQ(status.fileFormats.at("Linked.wav"), "RF64");
    EXPECT_FALSE(status.fileFormats.contains("Odd.bin")) << "an unknown header leaves the session's type";
    EXPECT_EQ(status.unavailableFiles, (std::unordered_set<std::string>{"Odd.bin"}));

    // Formats the files above do not show.
    EXPECT_EQ(audioFormatFromHeader(header("BW64", "WAVE")), "BW64");
    EXPECT_EQ(audioFormatFromHeader(QByteArray("fLaC") + QByteArray(8, '\0')), "FLAC");
    EXPECT_EQ(audioFormatFromHeader(QByteArray("ID3\x04") + QByteArray(8, '\0')), "MP3");
    EXPECT_EQ(audioFormatFromHeader(QByteArray("\0\0\0\x20"
                                               "ftypM4A ",
                                               12)),
              "MP4");
    EXPECT_EQ(audioFormatFromHeader(header("RIFF", "AVI ")), std::nullopt);
    EXPECT_EQ(audioFormatFromHeader(QByteArray("FO")), std::nullopt) << "a short file is no format";
}

