// Paths whose bytes are not UTF-8 travel through the application unchanged.
#include "native_path.h"
#include "plain_tool_tip.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace kestrix;

TEST(NativePath, EveryByteSequenceComesBackAsItWentAndNamesItsFile)
{
    const QByteArray samples[] = {
        "/plain/Mix.ptx",
        "/Sessions/Caf\xc3\xa9 \xe2\x80\x94 \xf0\x9f\x8e\xb9.ptx", // é, an em dash and an emoji: valid UTF-8
        "/Sessions/Mix \xff\xfe.ptx",                             // bytes that never start a character
        "/Sessions/Latin-1 caf\xe9.ptx",                          // a lead byte without its follower
        "/x/\xed\xb3\xbf/\xc0\xaf/\xf4\x90\x80\x80",              // an encoded surrogate, an overlong "/", past U+10FFFF
        "/cut/\xe2\x82",                                          // a character cut off at the end
    };
    for (const QByteArray &bytes : samples) {
        const QString path = pathFromNativeBytes(bytes);
        EXPECT_EQ(nativeBytesOfPath(path), bytes) << bytes.toStdString();
        EXPECT_EQ(holdsForeignBytes(path), QString::fromUtf8(bytes).toUtf8() != bytes) << bytes.toStdString();
        EXPECT_EQ(pathFromPreference(pathToPreference(path)), path);
    }
    EXPECT_EQ(pathFromNativeBytes("/Sessions/Caf\xc3\xa9.ptx"), QStringLiteral("/Sessions/Café.ptx"));
    EXPECT_EQ(displayablePath(pathFromNativeBytes("/a/Mix \xff.ptx")), QStringLiteral("/a/Mix \uFFFD.ptx"));
    // An emoji is a pair of surrogates; its low half is no kept byte.
    EXPECT_EQ(nativeBytesOfPath(QStringLiteral("/🎹")), QByteArray("/\xf0\x9f\x8e\xb9"));

    // Files and folders are found by their bytes.
    QTemporaryDir folder;
    const QByteArray fileBytes = QFile::encodeName(folder.path()) + "/R&D \xff mix.ptx";
    const int descriptor = ::open(fileBytes.constData(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(descriptor, 0);
    ::close(descriptor);
    const QString file = pathFromNativeBytes(fileBytes);
    EXPECT_TRUE(isExistingFile(file));
    EXPECT_FALSE(isExistingFolder(file));
    EXPECT_TRUE(isExistingFolder(folder.path()));
    EXPECT_FALSE(isExistingFile(folder.path()));
    EXPECT_FALSE(isExistingFile(displayablePath(file))) << "the lossy spelling names no file";
    ASSERT_EQ(::mkfifo((fileBytes + ".fifo").constData(), 0600), 0);
    EXPECT_FALSE(isExistingFile(pathFromNativeBytes(fileBytes + ".fifo"))) << "a pipe is not a session file";
}

TEST(PlainToolTip, TextsThatLookLikeHtmlAreShownAsTheyAre)
{
    for (const QString &text : {QStringLiteral("<b>Kick</b> & <img src=\"/etc/x.png\">"), QStringLiteral("line one\nline two")}) {
        QTextDocument shown;
        shown.setHtml(plainToolTip(text));
        EXPECT_EQ(shown.toPlainText().replace(QChar::LineSeparator, '\n').replace(QChar::Nbsp, ' '), text);
    }
    EXPECT_TRUE(plainToolTip({}).isEmpty()) << "no text, no tool tip";
}
