// Channel suffixes, multi-mono detection and which chosen files are accepted.
#include "audio_urls.h"
#include "multi_mono_channel.h"
#include "multi_mono_info.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

QString suffixText(const QString &baseName)
{
    const auto parsed = parseChannelSuffix(baseName);
    return parsed ? parsed->stem + u'|' + channelLabel(parsed->channel) : QStringLiteral("none");
}

QStringList describe(const std::optional<MultiMonoInfo> &group)
{
    if (!group)
        return {QStringLiteral("no group")};
    QStringList out = {group->baseName};
    for (const auto &sibling : group->siblings)
        out << sibling.channel + u'=' + QFileInfo(sibling.path).fileName();
    return out;
}

class Folder {
public:
    QString touch(const QString &name)
    {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }
    QString path(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace

TEST(ChannelSuffix, LongestCaseSensitiveLabelWithAStem)
{
    // "Take.Lss" is Lss, not Ls; ".L" has no stem; labels are case-sensitive.
    const std::pair<QString, QString> cases[] = {
        {"Take.Lss", "Take|Lss"}, {"Take.L", "Take|L"}, {"Take.LFE", "Take|LFE"}, {"Mix.v2.Rts", "Mix.v2|Rts"},
        {".L", "none"},           {"Take.l", "none"},   {"TakeL", "none"},        {"Take.Lx", "none"},
        {"Täke.Cs", "Täke|Cs"}};
    for (const auto &[name, expected] : cases)
        EXPECT_EQ(suffixText(name), expected) << name.toStdString();
    EXPECT_EQ(channelFromLabel("Rtm"), MultiMonoChannel::Rtm);
    EXPECT_EQ(channelFromLabel("rtm"), std::nullopt);
}

TEST(MultiMonoDetection, FolderScanAndSelectionGroupingFindWavSiblingsInChannelOrder)
{
    Folder folder;
    const QString left = folder.touch("Mix.L.wav");
    EXPECT_EQ(describe(MultiMonoInfo::detect(left)), QStringList{"no group"}) << "a lone channel file";
    folder.touch("Mix.C.wav");
    folder.touch("Mix.R.wav");
    folder.touch("Mix.Ls.aif");   // only .wav siblings count
    folder.touch("Other.R.wav");
    EXPECT_EQ(describe(MultiMonoInfo::detect(left)), (QStringList{"Mix", "L=Mix.L.wav", "R=Mix.R.wav", "C=Mix.C.wav"}));
    // The chosen file's own extension does not matter to the scan...
    EXPECT_EQ(describe(MultiMonoInfo::detect(folder.path("Mix.Ls.aif"))).size(), 4);
    // ...but the players never group anything that is not .wav.
    EXPECT_EQ(describe(MultiMonoInfo::detectForPlayback({folder.path("Mix.Ls.aif")})), QStringList{"no group"});
    EXPECT_EQ(describe(MultiMonoInfo::detectForPlayback({left})).size(), 4);
    EXPECT_EQ(describe(MultiMonoInfo::detect(folder.touch("Mix.wav"))), QStringList{"no group"}) << "no suffix";

    // A selection groups its largest stem, sorted into channel order.
    const QString aLeft = folder.touch("A.L.wav");
    const QString aRight = folder.touch("A.R.wav");
    const QString bLeft = folder.touch("B.L.wav");
    EXPECT_EQ(describe(MultiMonoInfo::detect(QStringList{bLeft, aRight, aLeft})), (QStringList{"A", "L=A.L.wav", "R=A.R.wav"}));
    EXPECT_EQ(describe(MultiMonoInfo::detect(QStringList{})), QStringList{"no group"});
    // No stem with two members: the folder of the first file decides.
    const QString cLfe = folder.touch("C.LFE.wav");
    folder.touch("C.Ls.wav");
    EXPECT_EQ(describe(MultiMonoInfo::detect(QStringList{cLfe, bLeft})), (QStringList{"C", "LFE=C.LFE.wav", "Ls=C.Ls.wav"}));
    EXPECT_EQ(describe(MultiMonoInfo::detect(QStringList{bLeft, cLfe})), QStringList{"no group"});
    // The players group only the .wav files of a selection.
    const QString aCenter = folder.touch("A.C.aif");
    EXPECT_EQ(describe(MultiMonoInfo::detectForPlayback({aCenter, aLeft, aRight})).size(), 3);
    EXPECT_EQ(describe(MultiMonoInfo::detectForPlayback({aCenter, bLeft})), QStringList{"no group"});
}

TEST(AudioUrls, KeepsAudioExtensionsAndResolvesLinks)
{
    Folder folder;
    const QString target = folder.touch("Real.wav");
    const QString link = folder.path("Link.WAV");
    ASSERT_TRUE(QFile::link(target, link));
    const QString dangling = folder.path("Gone.aif");
    ASSERT_TRUE(QFile::link(folder.path("missing.aif"), dangling));

    const QStringList resolved = resolveAudioURLs({folder.path("notes.txt"), link, folder.path("a.MP3"),
                                                   folder.path("b.m4a"), folder.path("c.aac"), folder.path("d.aiff"),
                                                   folder.path("e.flac"), dangling, folder.path("noextension")});
    EXPECT_EQ(resolved, (QStringList{QFileInfo(target).canonicalFilePath(), folder.path("a.MP3"), folder.path("b.m4a"),
                                     folder.path("c.aac"), folder.path("d.aiff"), dangling}));
    EXPECT_TRUE(resolveAudioURLs({folder.path("notes.txt")}).isEmpty());
}
