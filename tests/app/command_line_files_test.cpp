#include "command_line_files.h"
#include "native_path.h"

#include <gtest/gtest.h>

#include <QStringList>

TEST(CommandLineFiles, FilesKeepTheirBytesAndBecomeAbsolute)
{
    const QStringList files = kestrix::sessionFilesFromArguments(
        {"Mix \xff.ptx", "./a/../B.ptx", "/abs/C.ptx", "--", "-odd.ptx"},
        {QString::fromUtf8("Mix \xff.ptx"), "./a/../B.ptx", "/abs/C.ptx", "-odd.ptx"}, "/home/\xfe");
    ASSERT_EQ(files.size(), 4);
    EXPECT_EQ(kestrix::nativeBytesOfPath(files[0]), QByteArray("/home/\xfe/Mix \xff.ptx"));
    EXPECT_EQ(kestrix::nativeBytesOfPath(files[1]), QByteArray("/home/\xfe/B.ptx"));
    EXPECT_EQ(files[2], "/abs/C.ptx");
    EXPECT_EQ(kestrix::nativeBytesOfPath(files[3]), QByteArray("/home/\xfe/-odd.ptx")) << "after --, a file";

    // Options are not files; when the parser counted differently, its list is used.
    EXPECT_EQ(kestrix::sessionFilesFromArguments({"--help-all", "A.ptx"}, {"A.ptx"}, "/s"), QStringList{"/s/A.ptx"});
    EXPECT_EQ(kestrix::sessionFilesFromArguments({"A.ptx"}, {"A.ptx", "B.ptx"}, "/s"),
              (QStringList{"/s/A.ptx", "/s/B.ptx"}));
}
