#include "platform/table_scaler.h"

#include <algorithm>

namespace tarrabel::platform {

namespace {

// The channels widened by repeating their top bits, so that full intensity stays 255.
constexpr int32_t Widen5(uint32_t v) {
    return int32_t((v << 3) | (v >> 2));
}
constexpr int32_t Widen6(uint32_t v) {
    return int32_t((v << 2) | (v >> 4));
}

}  // namespace

uint32_t Rgb565To888(uint16_t p) {
    return uint32_t(Widen5(p >> 11)) << 16 | uint32_t(Widen6((p >> 5) & 63)) << 8 |
           uint32_t(Widen5(p & 31));
}

void TableScaler::Build(int32_t source, int32_t output, std::vector<Taps>* taps,
                        std::vector<int32_t>* weights) {
    taps->assign(size_t(output), {});
    weights->clear();
    // In units of 1 / (source * output): table pixel i spans [i * output, (i + 1) * output),
    // window pixel o spans [o * source, (o + 1) * source).
    const int64_t s = source, o = output;
    for (int64_t out = 0; out < o; ++out) {
        const int64_t from = out * s, to = (out + 1) * s;
        const int64_t first = from / o, last = (to - 1) / o;
        Taps& t = (*taps)[size_t(out)];
        t.First = int32_t(first);
        t.Count = int32_t(last - first + 1);
        t.Weights = int32_t(weights->size());
        int32_t given = 0;
        for (int64_t i = first; i <= last; ++i) {
            const int64_t overlap = std::min(to, (i + 1) * o) - std::max(from, i * o);
            int32_t w = int32_t((overlap * kOne + s / 2) / s);
            if (i == last) w = kOne - given;  // rounding never loses or gains brightness
            given += w;
            weights->push_back(w);
        }
    }
}

void TableScaler::Prepare(int32_t sourceWidth, int32_t sourceHeight, int32_t outputWidth,
                          int32_t outputHeight) {
    if (sourceWidth == srcW_ && sourceHeight == srcH_ && outputWidth == outW_ &&
        outputHeight == outH_)
        return;
    srcW_ = std::max(0, sourceWidth);
    srcH_ = std::max(0, sourceHeight);
    outW_ = std::max(0, outputWidth);
    outH_ = std::max(0, outputHeight);
    if (srcW_ == 0 || srcH_ == 0 || outW_ == 0 || outH_ == 0) {
        srcW_ = srcH_ = outW_ = outH_ = 0;
        return;
    }
    Build(srcW_, outW_, &columns_, &columnWeights_);
    Build(srcH_, outH_, &rows_, &rowWeights_);
    red_.assign(size_t(srcW_), 0);
    green_.assign(size_t(srcW_), 0);
    blue_.assign(size_t(srcW_), 0);
}

Rect TableScaler::Affected(const Rect& source) const {
    if (srcW_ == 0) return {};
    const Rect r = Intersect(source, {0, 0, srcW_, srcH_});
    if (IsEmpty(r)) return {};
    // Window pixel o reads table pixels [o * src / out, (o + 1) * src / out).
    auto first = [](int64_t a, int64_t src, int64_t out) { return int32_t(a * out / src); };
    auto end = [](int64_t b, int64_t src, int64_t out) {
        return int32_t((b * out + src - 1) / src);
    };
    return {first(r.Left, srcW_, outW_), first(r.Top, srcH_, outH_), end(r.Right, srcW_, outW_),
            end(r.Bottom, srcH_, outH_)};
}

void TableScaler::Scale(const Surface& table, const Rect& wanted, uint32_t* out, int32_t pitch) {
    if (srcW_ == 0 || table.Width != srcW_ || table.Height != srcH_) return;
    const Rect area = Intersect(wanted, {0, 0, outW_, outH_});
    if (IsEmpty(area)) return;

    if (srcW_ == outW_ && srcH_ == outH_) {
        // One table pixel per window pixel.
        for (int32_t y = area.Top; y < area.Bottom; ++y) {
            const uint16_t* from = table.Row(y);
            uint32_t* to = out + size_t(y) * size_t(pitch);
            for (int32_t x = area.Left; x < area.Right; ++x)
                to[x] = Rgb565To888(from[x]);
        }
        return;
    }

    // The table columns the area reads.
    const Taps& firstColumn = columns_[size_t(area.Left)];
    const Taps& lastColumn = columns_[size_t(area.Right - 1)];
    const int32_t c0 = firstColumn.First, c1 = lastColumn.First + lastColumn.Count;
    for (int32_t y = area.Top; y < area.Bottom; ++y) {
        // Down the column first: the table rows this window row covers, blended.
        const Taps& rt = rows_[size_t(y)];
        const int32_t* wy = rowWeights_.data() + rt.Weights;
        for (int32_t x = c0; x < c1; ++x) {
            int32_t r = 0, g = 0, b = 0;
            for (int32_t k = 0; k < rt.Count; ++k) {
                const uint16_t p = table.Row(rt.First + k)[x];
                r += wy[k] * Widen5(p >> 11);
                g += wy[k] * Widen6((p >> 5) & 63);
                b += wy[k] * Widen5(p & 31);
            }
            red_[size_t(x)] = r;
            green_[size_t(x)] = g;
            blue_[size_t(x)] = b;
        }
        // Then across.
        uint32_t* to = out + size_t(y) * size_t(pitch);
        for (int32_t x = area.Left; x < area.Right; ++x) {
            const Taps& ct = columns_[size_t(x)];
            const int32_t* wx = columnWeights_.data() + ct.Weights;
            int64_t r = 0, g = 0, b = 0;
            for (int32_t k = 0; k < ct.Count; ++k) {
                const size_t at = size_t(ct.First + k);
                r += int64_t(wx[k]) * red_[at];
                g += int64_t(wx[k]) * green_[at];
                b += int64_t(wx[k]) * blue_[at];
            }
            constexpr int64_t kHalf = int64_t(kOne) * kOne / 2, kShift = 20;
            to[x] = uint32_t((r + kHalf) >> kShift) << 16 | uint32_t((g + kHalf) >> kShift) << 8 |
                    uint32_t((b + kHalf) >> kShift);
        }
    }
}

}  // namespace tarrabel::platform
