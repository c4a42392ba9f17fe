// Block firmware files: whatever the file holds, the listing never claims more data than
// the file has, the blocks follow each other without gap or overlap up to the end, the
// packet count is that of the block sizes, and a file that passes goes out whole, byte for
// byte, in exactly that many header and chunk writes.
#include "FuzzSupport.h"
#include "mdlGDL.h"

#include <atomic>

using namespace prt::dl;

namespace {

// The printer side: accepts every header and answers the final status at once.
class AcceptingPort : public TDLPort {
public:
    int Write(const QByteArray& bytes) override
    {
        wire += bytes;
        ++writes;
        return 0;
    }
    int ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t, int) override
    {
        return Read(buffer, length, count);
    }
    int Read(uint8_t* buffer, uint32_t length, uint32_t* count) override
    {
        FUZZ_CHECK(length >= 1);
        buffer[0] = 0;
        *count = 1;
        return 0;
    }
    QString GetVal(const QByteArray&) override { return {}; }
    QString SendTextRead(const QString&, uint32_t) override { return {}; }
    void ClosePort(Close) override {}

    QByteArray wire;
    qint64 writes = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    const TGDLFile f = ParseGDL(bytes);
    FUZZ_CHECK(f.data == bytes);
    qint64 offset = 0, packets = 0;
    for (size_t i = 0; i < f.blocks.size(); ++i) {
        const TGDLBlock& b = f.blocks[i];
        FUZZ_CHECK(b.offset == offset);
        FUZZ_CHECK(b.offset + kGDLHeaderSize <= bytes.size());
        FUZZ_CHECK(b.fileName.size() <= 32 && b.version.size() <= 32);
        const bool last = i + 1 == f.blocks.size();
        if (!(last && f.fault == TGDLFault::CutBody))
            FUZZ_CHECK(b.offset + kGDLHeaderSize + qint64(b.bodyLength) <= bytes.size());
        packets += 1 + (qint64(b.bodyLength) + kGDLChunkSize - 1) / kGDLChunkSize;
        offset = b.offset + kGDLHeaderSize + qint64(b.bodyLength);
    }
    if (f.Ok()) {
        FUZZ_CHECK(!f.blocks.empty());
        FUZZ_CHECK(offset == bytes.size());
        FUZZ_CHECK(f.totalPackets == packets);
        AcceptingPort port;
        TGDLRunHooks hooks;
        hooks.stepMs = 0;
        const TGDLOutcome out = RunGDLExchange(port, f, hooks);
        FUZZ_CHECK(out.result == TGDLResult::Success);
        FUZZ_CHECK(port.wire == bytes);
        FUZZ_CHECK(port.writes == f.totalPackets);
    } else {
        FUZZ_CHECK(f.totalPackets == 0);
        FUZZ_CHECK(f.faultBlock >= 1 && f.faultBlock <= int(f.blocks.size()) + 1);
        FUZZ_CHECK(f.faultOffset >= 0 && f.faultOffset <= bytes.size());
        if (f.fault == TGDLFault::TooShort)
            FUZZ_CHECK(bytes.size() < kGDLHeaderSize);
        if (f.fault == TGDLFault::CutHeader)
            FUZZ_CHECK(f.faultOffset == offset && bytes.size() - offset < kGDLHeaderSize);
        if (f.fault == TGDLFault::CutBody)
            FUZZ_CHECK(!f.blocks.empty() && offset > bytes.size());
    }
    return 0;
}
