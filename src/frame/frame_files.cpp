#include "frame/frame_files.h"

#include "platform/textfile.h"

#include <bit>
#include <cmath>
#include <iterator>
#include <cstdint>
#include <cstring>

namespace kv::frame {

namespace {

// No frame comes near this many records of a kind: more means a damaged file.
constexpr std::size_t kMaxRecords = 1u << 20;

class Out {
public:
    void Tag(const char* tag) { bytes_.append(tag, 8); }
    void Int(std::int32_t v) { Word(static_cast<std::uint32_t>(v)); }
    void Float(float v) { Word(std::bit_cast<std::uint32_t>(v)); }
    // A record of 4-byte ints and floats, field by field.
    template <typename T>
    void Record(const T& r) {
        static_assert(sizeof(T) % 4 == 0);
        std::uint32_t words[sizeof(T) / 4];
        std::memcpy(words, &r, sizeof(T));
        for (std::uint32_t w : words) Word(w);
    }
    const std::string& bytes() const { return bytes_; }

private:
    void Word(std::uint32_t w) {
        for (int k = 0; k < 4; ++k) bytes_ += static_cast<char>((w >> (8 * k)) & 0xFF);
    }
    std::string bytes_;
};

class In {
public:
    explicit In(const std::string& bytes) : bytes_(bytes) {}
    bool Tag(const char* tag) {
        if (Left() < 8 || std::memcmp(bytes_.data() + pos_, tag, 8) != 0) return false;
        pos_ += 8;
        return true;
    }
    std::int32_t Int() { return static_cast<std::int32_t>(Word()); }
    template <typename T>
    void Record(T& r) {
        std::uint32_t words[sizeof(T) / 4];
        for (std::uint32_t& w : words) w = Word();
        std::memcpy(&r, words, sizeof(T));
    }
    std::size_t Left() const { return bytes_.size() - pos_; }

private:
    std::uint32_t Word() {
        std::uint32_t w = 0;
        for (int k = 0; k < 4 && pos_ < bytes_.size(); ++k, ++pos_)
            w |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[pos_])) << (8 * k);
        return w;
    }
    const std::string& bytes_;
    std::size_t pos_ = 0;
};

bool ReadBytes(const char* name, std::string& bytes, std::string& error) {
    if (!kv::platform::ReadFileBytes(name, bytes, 64u << 20)) {
        error = std::string("找不到文件 ") + name;
        return false;
    }
    return true;
}

bool CountOk(std::int32_t count) { return count >= 0 && static_cast<std::size_t>(count) <= kMaxRecords; }

template <typename T>
void ReadRecords(In& in, std::vector<T>& out, std::int32_t count) {
    out.resize(static_cast<std::size_t>(count));
    for (T& r : out) in.Record(r);
}

bool Finite(const float* v, int n) {
    for (int k = 0; k < n; ++k)
        if (!std::isfinite(v[k])) return false;
    return true;
}

bool AllFinite(const FrmStructure& data) {
    for (const FrmNode& n : data.nodes)
        if (!std::isfinite(n.x) || !std::isfinite(n.y)) return false;
    for (const StrucBeam_Frm& b : data.beams) {
        const float v[] = {b.section[0], b.section[1], b.e, b.xc, b.yc, b.grade, b.x1, b.y1, b.x2, b.y2, b.E, b.A, b.I};
        if (!Finite(v, static_cast<int>(std::size(v)))) return false;
    }
    for (const FrmSupport& s : data.supports)
        if (!std::isfinite(s.angle) || !std::isfinite(s.stiffness)) return false;
    for (const FrmNodeLoad& l : data.nodeLoads)
        if (!Finite(l.value, 3)) return false;
    for (const FrmMemberLoad& l : data.memberLoads)
        if (!Finite(l.value, 4)) return false;
    return true;
}

}  // namespace

bool WriteStructureFile(const char* name, const char* tag, const FrmStructure& data) {
    Out out;
    out.Tag(tag);
    out.Int(kFileVersion);
    out.Int(static_cast<std::int32_t>(data.nodes.size()));
    out.Int(static_cast<std::int32_t>(data.beams.size()));
    out.Int(static_cast<std::int32_t>(data.supports.size()));
    out.Int(static_cast<std::int32_t>(data.nodeLoads.size()));
    out.Int(static_cast<std::int32_t>(data.memberLoads.size()));
    for (const FrmNode& r : data.nodes) out.Record(r);
    for (const StrucBeam_Frm& r : data.beams) out.Record(r);
    for (const FrmSupport& r : data.supports) out.Record(r);
    for (const FrmNodeLoad& r : data.nodeLoads) out.Record(r);
    for (const FrmMemberLoad& r : data.memberLoads) out.Record(r);
    return kv::platform::WriteFileAtomically(name, out.bytes());
}

bool ReadStructureFile(const char* name, const char* tag, FrmStructure& data, std::string& error) {
    data = FrmStructure{};
    std::string bytes;
    if (!ReadBytes(name, bytes, error)) return false;
    In in(bytes);
    if (!in.Tag(tag) || in.Left() < 24 || in.Int() != kFileVersion) {
        error = std::string("文件 ") + name + " 不是本程序的刚架计算文件";
        return false;
    }
    std::int32_t counts[5];
    for (std::int32_t& c : counts) c = in.Int();
    const std::size_t sizes[5] = {sizeof(FrmNode), sizeof(StrucBeam_Frm), sizeof(FrmSupport), sizeof(FrmNodeLoad),
                                  sizeof(FrmMemberLoad)};
    std::size_t need = 0;
    for (int k = 0; k < 5; ++k) {
        if (!CountOk(counts[k])) {
            error = std::string("文件 ") + name + " 已损坏";
            return false;
        }
        need += static_cast<std::size_t>(counts[k]) * sizes[k];
    }
    if (in.Left() != need) {
        error = std::string("文件 ") + name + " 已损坏";
        return false;
    }
    ReadRecords(in, data.nodes, counts[0]);
    ReadRecords(in, data.beams, counts[1]);
    ReadRecords(in, data.supports, counts[2]);
    ReadRecords(in, data.nodeLoads, counts[3]);
    ReadRecords(in, data.memberLoads, counts[4]);
    return true;
}

bool CheckReferences(const FrmStructure& data, std::string& error) {
    if (!AllFinite(data)) {
        error = "文件中有无效的数值";
        return false;
    }
    const int nodes = static_cast<int>(data.nodes.size());
    const int beams = static_cast<int>(data.beams.size());
    auto node = [&](int n) { return n >= 1 && n <= nodes; };
    for (const StrucBeam_Frm& b : data.beams) {
        if (!node(b.start) || !node(b.end)) {
            error = "构件 " + std::to_string(b.number) + " 的结点号错";
            return false;
        }
    }
    for (const FrmSupport& s : data.supports) {
        if (!node(s.node)) {
            error = "支座的结点号错";
            return false;
        }
    }
    for (const FrmNodeLoad& l : data.nodeLoads) {
        if (!node(l.node)) {
            error = "节点荷载的结点号错";
            return false;
        }
    }
    for (const FrmMemberLoad& l : data.memberLoads) {
        if (l.member < 1 || l.member > beams) {
            error = "构件荷载的构件号错";
            return false;
        }
    }
    return true;
}

bool WriteForceFile(const char* name, const FrmForces& data) {
    Out out;
    out.Tag(kForceTag);
    out.Int(kFileVersion);
    std::size_t members = data.cases.empty() ? 0 : data.cases[0].size();
    out.Int(static_cast<std::int32_t>(members));
    out.Int(static_cast<std::int32_t>(data.cases.size()));
    out.Int(data.nodeCount);
    for (const auto& records : data.cases)
        for (std::size_t m = 0; m < members; ++m) out.Record(m < records.size() ? records[m] : ForceBeam_Frm{});
    return kv::platform::WriteFileAtomically(name, out.bytes());
}

bool ReadForceFile(const char* name, FrmForces& data, std::string& error) {
    data = FrmForces{};
    std::string bytes;
    if (!ReadBytes(name, bytes, error)) return false;
    In in(bytes);
    if (!in.Tag(kForceTag) || in.Left() < 16 || in.Int() != kFileVersion) {
        error = std::string("文件 ") + name + " 不是本程序的内力文件";
        return false;
    }
    std::int32_t members = in.Int(), cases = in.Int(), nodes = in.Int();
    if (!CountOk(members) || !CountOk(cases) || !CountOk(nodes) ||
        in.Left() != static_cast<std::size_t>(members) * static_cast<std::size_t>(cases) * sizeof(ForceBeam_Frm)) {
        error = std::string("文件 ") + name + " 已损坏";
        return false;
    }
    data.nodeCount = nodes;
    data.cases.resize(static_cast<std::size_t>(cases));
    for (auto& records : data.cases) ReadRecords(in, records, members);
    return true;
}

}  // namespace kv::frame
