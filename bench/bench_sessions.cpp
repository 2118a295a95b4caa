#include "bench_sessions.h"

#include "property_blocks.h"

#include <cstdlib>
#include <filesystem>
#include <random>

namespace bench {

ptxw::SessionFile bulkSession(size_t megabytes)
{
    std::mt19937 rng(20261206);
    ptxw::SessionFile file;
    file.scheme = 5;
    file.seed = 0x3C;
    file.block(ptxw::sessionFormatBlock(48000, 3))
        .block(ptxw::timecodeBlock(5, 0, "01:00:00:00"))
        .block(ptxw::tempoMapBlock({{120.0, 0}}))
        .block(ptxw::meterMapBlock({{0, 4, 4}}));

    const size_t target = megabytes * 1024 * 1024;
    size_t written = 0;
    uint32_t serial = 0;
    while (written < target) {
        // One list block of about 64 KB with records of names and binary fields.
        ptxw::Block list(0x3000 + uint16_t(serial % 16));
        list.at(2).u32(serial);
        for (int r = 0; r < 200; ++r) {
            ptxw::Block record(0x3100);
            record.at(2).counted("Take " + std::to_string(serial) + "-" + std::to_string(r) + ".wav");
            ptxw::Bytes payload(200 + rng() % 200);
            for (auto &byte : payload)
                byte = uint8_t(rng());
            record.bytes(payload);
            record.child(ptxw::Block(0x3200).u64le(rng()).u32(uint32_t(rng())));
            list.child(record);
        }
        written += list.encodedLength();
        file.block(list);
        ++serial;
    }
    return file;
}

const std::string &bulkSessionPath()
{
    static const std::string path = [] {
        const auto p = std::filesystem::temp_directory_path() / "kestrix-bench-bulk.ptx";
        if (!bulkSession(100).write(p.string()))
            std::abort();
        return p.string();
    }();
    return path;
}

} // namespace bench
