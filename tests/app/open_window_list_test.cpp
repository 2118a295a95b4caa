#include "app_test_support.h"

#include "open_window_list.h"

using kestrix::OpenWindowEntry;

namespace {

QVariantMap entry(const QVariant &path, const QVariant &x, const QVariant &y, const QVariant &width,
                  const QVariant &height)
{
    QVariantMap map;
    const std::pair<const char *, QVariant> values[] = {
        {"path", path}, {"x", x}, {"y", y}, {"width", width}, {"height", height}};
    for (const auto &[key, value] : values)
        if (value.isValid())
            map.insert(key, value);
    return map;
}

} // namespace

TEST(OpenWindowList, StrayValuesAreSkippedNotGuessed)
{
    const QVariantList stored{
        entry(42, 1, 2, 3, 4),                            // path is not a string: skipped
        entry({}, 1, 2, 3, 4),                            // no path: skipped
        entry("/s/A.ptx", "10", 20, 300, 400),            // a number as text is no frame
        entry("/s/B.ptx", 10, {}, 300, 400),              // a missing number: no frame
        entry("/s/C.ptx", 10.4, 20.6, 300, 400),          // whole pixels
    };
    const auto decoded = kestrix::decodeOpenWindowList(stored);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, (QList<OpenWindowEntry>{{"/s/A.ptx", std::nullopt},
                                                 {"/s/B.ptx", std::nullopt},
                                                 {"/s/C.ptx", QRect(10, 21, 300, 400)}}));

    EXPECT_FALSE(kestrix::decodeOpenWindowList(QVariant())) << "nothing stored";
    EXPECT_FALSE(kestrix::decodeOpenWindowList(QStringList{"/s/A.ptx"})) << "not dictionaries";
    EXPECT_FALSE(kestrix::decodeOpenWindowList(QVariantList{entry("/s/A.ptx", 1, 2, 3, 4), QString("/s/B.ptx")}))
        << "one entry that is not a dictionary spoils the list";
}
