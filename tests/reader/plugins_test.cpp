#include "test_helpers.h"
#include "track_blocks.h"

#include <gtest/gtest.h>

using namespace ptxw;
using namespace ptxtest;

namespace {

using Names = std::vector<std::string>;

// Keys sharing `family` share their first 8 bytes (the short key).
PluginKey key(uint8_t family, uint8_t variant)
{
    return {0xA0, family, 2, 3, 4, 5, 6, family, 0xB0, 9, 10, variant};
}

Block insertsFor(TrackIdentifier id, const std::vector<Block> &slots, uint16_t recordType = 0x261c)
{
    return trackSettingsRecord(id, {insertListBlock(slots)}, recordType);
}

} // namespace

TEST(Plugins, SlotsKeepTheirNumbersAndKeysFallBackToTheShortKeyInBothByteOrders)
{
    Block notASlot(0x2630);
    notASlot.at(2).zeros(4);
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        SessionPtr s = openSession(sessionWith({
            trackBlock({"A", 0, 0, 1}),
            pluginDefinitionBlock("Old EQ", key(1, 0)),
            pluginDefinitionBlock("New EQ", key(1, 0)),  // replaces the name of the full key only
            pluginDefinitionBlock("Comp A", key(2, 0)),
            pluginDefinitionBlock("Comp B", key(2, 1)),
            pluginDefinitionBlock("Ghost", key(3, 0), 0xFF),
            pluginDefinitionBlock("", key(4, 0)),
            trackSettingsBlock({insertsFor(1, {
                pluginSlotBlock(key(1, 0), true, 0x2616),
                emptySlotBlock(),
                pluginSlotBlock(key(9, 9), true, 0x2617),  // unknown: dropped, its slot still counts
                notASlot,
                pluginSlotBlock(key(2, 1), 2, 0x2618),  // only 1 means active
                pluginSlotBlock(key(2, 7), true),
                pluginSlotBlock(key(1, 5), true),
                pluginSlotBlock(key(3, 0), true),
                pluginSlotBlock(key(4, 0), true),
            })}),
        }, bigEndian));
        ASSERT_TRUE(s);
        EXPECT_EQ(pluginSummary(s.get(), 0),
                  (Names{"0:New EQ:active", "3:Comp B:inactive", "4:Comp A:active", "5:Old EQ:active"}));
    }
}

TEST(Plugins, FirstSettingsRecordWithPluginsWinsAndNestedListsJoin)
{
    const PluginKey eq = key(1, 0), comp = key(2, 0), verb = key(3, 0);
    Block stray(0x3000);
    stray.at(2).zeros(2);
    SessionPtr s = openSession(sessionWith({
        trackBlock({"A", 0, 0, 1}),
        trackBlock({"B", 0, 0, 2}),
        trackBlock({"C", 0, 0, 3}),
        pluginDefinitionBlock("EQ", eq),
        pluginDefinitionBlock("Comp", comp),
        pluginDefinitionBlock("Verb", verb),
        trackSettingsBlock({
            insertsFor(1, {pluginSlotBlock(key(9, 9), true)}),  // nothing known: A is still open
            insertsFor(1, {pluginSlotBlock(eq, true)}, 0x261e),
            insertsFor(1, {pluginSlotBlock(comp, true)}, 0x2620),
            trackSettingsRecord(2, {nestedSettingsBlock({stray, insertListBlock({pluginSlotBlock(eq, true)}),
                                                         insertListBlock({pluginSlotBlock(verb, true)})}),
                                    insertListBlock({pluginSlotBlock(comp, false)}),
                                    insertListBlock({pluginSlotBlock(verb, true)})},
                                0x2621),
            insertsFor(3, {pluginSlotBlock(eq, true)}, 0x261d),  // not a settings record
        }),
    }));
    ASSERT_TRUE(s);
    EXPECT_EQ(pluginSummary(s.get(), 0), Names{"0:EQ:active"});
    EXPECT_EQ(pluginSummary(s.get(), 1), (Names{"0:EQ:active", "0:Comp:inactive"}));
    EXPECT_EQ(pluginSummary(s.get(), 2), Names{});
}

TEST(Plugins, SessionListsPreferActive)
{
    const PluginKey eq = key(1, 0), comp = key(2, 0), verb = key(3, 0), delay = key(4, 0);
    SessionPtr s = openSession(sessionWith({
        trackBlock({"A", 0, 0, 1}),
        trackBlock({"B", 0, 0, 2}),
        pluginDefinitionBlock("EQ", eq),
        pluginDefinitionBlock("Comp", comp),
        pluginDefinitionBlock("Verb", verb),
        pluginDefinitionBlock("Delay", delay),
        trackSettingsBlock({
            insertsFor(1, {pluginSlotBlock(verb, false), pluginSlotBlock(comp, false), pluginSlotBlock(eq, true),
                           pluginSlotBlock(verb, false)}),
            insertsFor(2, {pluginSlotBlock(delay, false), pluginSlotBlock(comp, true), pluginSlotBlock(eq, true)}),
        }),
    }));
    ASSERT_TRUE(s);
    EXPECT_EQ(rows(ptx_active_plugin_count(s.get()), [&](int i) { return ptx_active_plugin_name(s.get(), i); }),
              (Names{"EQ", "Comp"}));
    EXPECT_EQ(rows(ptx_inactive_plugin_count(s.get()), [&](int i) { return ptx_inactive_plugin_name(s.get(), i); }),
              (Names{"Verb", "Delay"}));
}
