#include "platform/table_scaler.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tarrabel::platform {

namespace {

// The channels widened by repeating their top bits, so that full intensity stays 255.
constexpr uint32_t Widen5(uint32_t v) {
    return (v << 3) | (v >> 2);
}
constexpr uint32_t Widen6(uint32_t v) {
    return (v << 2) | (v >> 4);
}

// The three channels of a pixel, eight bits each, in the 16-bit lanes of one word: red at
// bit 32, green at 16, blue at 0. A weight of at most 256 times a channel of at most 255
// stays inside its lane, and so does a sum of such products whose weights add up to 256;
// one multiplication weighs all three channels at once.
constexpr uint64_t LanesOf(uint32_t p) {
    return uint64_t(Widen5(p >> 11)) << 32 | uint64_t(Widen6((p >> 5) & 63)) << 16 |
           uint64_t(Widen5(p & 31));
}

// The widening is a sum of what the high byte and the low byte each give (green's six bits
// straddle the two, and widen to g << 2 plus its top two bits again), so two small tables
// that stay in the cache replace a dozen shifts and masks per pixel.
struct LaneTables {
    uint64_t Low[256], High[256];
    constexpr LaneTables() : Low(), High() {
        for (uint32_t b = 0; b < 256; ++b) {
            const uint32_t gLow = b >> 5;  // green's low three bits
            Low[b] = uint64_t(gLow << 2) << 16 | uint64_t(Widen5(b & 31));
            const uint32_t gHigh = b & 7;  // green's high three bits
            High[b] = uint64_t(Widen5(b >> 3)) << 32 | uint64_t((gHigh << 5) | (gHigh >> 1)) << 16;
        }
    }
};
constexpr LaneTables kLanes;

inline uint64_t Lanes(uint16_t p) {
    return kLanes.Low[p & 0xFF] + kLanes.High[p >> 8];
}
constexpr uint64_t kLaneMask = 0x000000FF00FF00FFull;
constexpr uint64_t kLaneHalf = 0x0000008000800080ull;

// A weighted sum (weights adding up to 256) back to eight bits a channel, rounded.
constexpr uint64_t Settle(uint64_t sum) {
    return ((sum + kLaneHalf) >> 8) & kLaneMask;
}

constexpr uint32_t Packed(uint64_t v) {
    return uint32_t(v >> 16 & 0xFF0000) | uint32_t(v >> 8 & 0xFF00) | uint32_t(v & 0xFF);
}

// The passes for the usual numbers of table pixels per window pixel (one to three: the
// table is composed at the density at or above the window's scale), written out so that
// the compiler unrolls them; and for any number.
#ifdef __SSE2__
// Eight pixels of a row, their channels widened to eight bits, in 16-bit lanes.
struct Channels {
    __m128i R, G, B;
};
inline Channels Widened(__m128i p) {
    const __m128i r = _mm_srli_epi16(p, 11);
    const __m128i g = _mm_and_si128(_mm_srli_epi16(p, 5), _mm_set1_epi16(63));
    const __m128i b = _mm_and_si128(p, _mm_set1_epi16(31));
    return {_mm_or_si128(_mm_slli_epi16(r, 3), _mm_srli_epi16(r, 2)),
            _mm_or_si128(_mm_slli_epi16(g, 2), _mm_srli_epi16(g, 4)),
            _mm_or_si128(_mm_slli_epi16(b, 3), _mm_srli_epi16(b, 2))};
}
#endif

template <int T>
void BlendDown(const uint16_t* const* rows, const uint16_t* w, int32_t c0, int32_t c1,
               uint64_t* blended) {
    int32_t x = c0;
#ifdef __SSE2__
    // Eight columns at a time: each channel weighed in its own 16-bit lane (at most
    // 255 x 256), settled to eight bits, then spread into the words the second pass reads.
    const __m128i half = _mm_set1_epi16(128), zero = _mm_setzero_si128();
    for (; x + 8 <= c1; x += 8) {
        __m128i r = zero, g = zero, b = zero;
        for (int k = 0; k < T; ++k) {
            const Channels c =
                Widened(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + x)));
            const __m128i wk = _mm_set1_epi16(int16_t(w[k]));
            r = _mm_add_epi16(r, _mm_mullo_epi16(c.R, wk));
            g = _mm_add_epi16(g, _mm_mullo_epi16(c.G, wk));
            b = _mm_add_epi16(b, _mm_mullo_epi16(c.B, wk));
        }
        r = _mm_srli_epi16(_mm_add_epi16(r, half), 8);
        g = _mm_srli_epi16(_mm_add_epi16(g, half), 8);
        b = _mm_srli_epi16(_mm_add_epi16(b, half), 8);
        // B G R 0 per pixel, 16 bits each: the word's blue, green and red lanes.
        const __m128i bgLow = _mm_unpacklo_epi16(b, g), bgHigh = _mm_unpackhi_epi16(b, g);
        const __m128i r0Low = _mm_unpacklo_epi16(r, zero), r0High = _mm_unpackhi_epi16(r, zero);
        auto* to = reinterpret_cast<__m128i*>(blended + x);
        _mm_storeu_si128(to + 0, _mm_unpacklo_epi32(bgLow, r0Low));
        _mm_storeu_si128(to + 1, _mm_unpackhi_epi32(bgLow, r0Low));
        _mm_storeu_si128(to + 2, _mm_unpacklo_epi32(bgHigh, r0High));
        _mm_storeu_si128(to + 3, _mm_unpackhi_epi32(bgHigh, r0High));
    }
#endif
    for (; x < c1; ++x) {
        uint64_t sum = 0;
        for (int k = 0; k < T; ++k)
            sum += uint64_t(w[k]) * Lanes(rows[k][x]);
        blended[x] = Settle(sum);
    }
}

void BlendDownAny(const Surface& table, int32_t first, int32_t taps, const uint16_t* w, int32_t c0,
                  int32_t c1, uint64_t* blended) {
    for (int32_t x = c0; x < c1; ++x) {
        uint64_t sum = 0;
        for (int32_t k = 0; k < taps; ++k)
            sum += uint64_t(w[k]) * Lanes(table.Row(first + k)[x]);
        blended[x] = Settle(sum);
    }
}

// `wide` holds each weight of `weights` four times over, one per 16-bit lane.
template <int T>
void BlendAcross(const uint64_t* blended, const int32_t* firsts, const uint16_t* weights,
                 const uint64_t* wide, int32_t x0, int32_t x1, uint32_t* to) {
    int32_t x = x0;
#ifdef __SSE2__
    // Two window pixels at a time, each channel weighed in its own 16-bit lane, settled and
    // packed to bytes: blue, green, red, zero is the window's 0x00RRGGBB.
    const __m128i half = _mm_set1_epi16(128);
    for (; x + 2 <= x1; x += 2) {
        const uint64_t* a = blended + firsts[x];
        const uint64_t* b = blended + firsts[x + 1];
        const uint64_t* wa = wide + size_t(x) * T;
        const uint64_t* wb = wa + T;
        __m128i sum = _mm_setzero_si128();
        for (int k = 0; k < T; ++k) {
            const __m128i pixels = _mm_set_epi64x(int64_t(b[k]), int64_t(a[k]));
            const __m128i weight = _mm_set_epi64x(int64_t(wb[k]), int64_t(wa[k]));
            sum = _mm_add_epi16(sum, _mm_mullo_epi16(pixels, weight));
        }
        const __m128i settled = _mm_srli_epi16(_mm_add_epi16(sum, half), 8);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(to + x), _mm_packus_epi16(settled, settled));
    }
#else
    (void)wide;
#endif
    for (; x < x1; ++x) {
        const uint64_t* from = blended + firsts[x];
        const uint16_t* w = weights + size_t(x) * T;
        uint64_t sum = 0;
        for (int k = 0; k < T; ++k)
            sum += uint64_t(w[k]) * from[k];
        to[x] = Packed(Settle(sum));
    }
}

void BlendAcrossAny(const uint64_t* blended, const int32_t* firsts, const uint16_t* weights,
                    int32_t taps, int32_t x0, int32_t x1, uint32_t* to) {
    for (int32_t x = x0; x < x1; ++x) {
        const uint64_t* from = blended + firsts[x];
        const uint16_t* w = weights + size_t(x) * size_t(taps);
        uint64_t sum = 0;
        for (int32_t k = 0; k < taps; ++k)
            sum += uint64_t(w[k]) * from[k];
        to[x] = Packed(Settle(sum));
    }
}

}  // namespace

uint32_t Rgb565To888(uint16_t p) {
    return Widen5(p >> 11) << 16 | Widen6((p >> 5) & 63) << 8 | Widen5(p & 31);
}

int32_t TableScaler::Build(int32_t source, int32_t output, std::vector<int32_t>* firsts,
                           std::vector<uint16_t>* weights) {
    // In units of 1 / (source * output): table pixel i spans [i * output, (i + 1) * output),
    // window pixel o spans [o * source, (o + 1) * source). Every window pixel reads the
    // same number of table pixels (the most any of them covers), the ones it does not
    // cover with a weight of zero, so the loops that blend them have a fixed length.
    const int64_t s = source, o = output;
    int32_t width = 1;
    for (int64_t out = 0; out < o; ++out)
        width = std::max(width, int32_t(((out + 1) * s - 1) / o - (out * s) / o + 1));
    firsts->assign(size_t(output), 0);
    weights->assign(size_t(output) * size_t(width), 0);
    for (int64_t out = 0; out < o; ++out) {
        const int64_t from = out * s, to = (out + 1) * s;
        const int64_t first = from / o, last = (to - 1) / o;
        // Near the far edge the run starts earlier, its first weights zero.
        const int64_t start = std::min<int64_t>(first, s - width);
        (*firsts)[size_t(out)] = int32_t(start);
        uint16_t* w = weights->data() + size_t(out) * size_t(width);
        // Each weight is the rounded share covered up to the end of its pixel less the
        // share up to its start: never negative, and they add up to exactly kOne, so that
        // rounding never loses or gains brightness.
        auto share = [&](int64_t upTo) { return (upTo * kOne + s / 2) / s; };
        for (int64_t i = first; i <= last; ++i) {
            const int64_t a = std::max(from, i * o) - from;
            const int64_t b = std::min(to, (i + 1) * o) - from;
            w[i - start] = uint16_t(share(b) - share(a));
        }
    }
    return width;
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
    columnTaps_ = Build(srcW_, outW_, &columnFirsts_, &columnWeights_);
    columnWide_.resize(columnWeights_.size());
    for (size_t i = 0; i < columnWeights_.size(); ++i)
        columnWide_[i] = uint64_t(columnWeights_[i]) * 0x0001000100010001ull;
    rowTaps_ = Build(srcH_, outH_, &rowFirsts_, &rowWeights_);
    blended_.assign(size_t(srcW_), 0);
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
    const int32_t c0 = columnFirsts_[size_t(area.Left)];
    const int32_t c1 = columnFirsts_[size_t(area.Right - 1)] + columnTaps_;
    for (int32_t y = area.Top; y < area.Bottom; ++y) {
        // Down the column first: the table rows this window row covers, blended.
        const uint16_t* rowsFrom[kMostTaps];
        const int32_t rows = std::min(rowTaps_, kMostTaps);
        for (int32_t k = 0; k < rows; ++k)
            rowsFrom[k] = table.Row(rowFirsts_[size_t(y)] + k);
        const uint16_t* wy = rowWeights_.data() + size_t(y) * size_t(rowTaps_);
        switch (rowTaps_) {
            case 1:
                BlendDown<1>(rowsFrom, wy, c0, c1, blended_.data());
                break;
            case 2:
                BlendDown<2>(rowsFrom, wy, c0, c1, blended_.data());
                break;
            case 3:
                BlendDown<3>(rowsFrom, wy, c0, c1, blended_.data());
                break;
            default:
                BlendDownAny(table, rowFirsts_[size_t(y)], rowTaps_, wy, c0, c1, blended_.data());
                break;
        }
        // Then across.
        uint32_t* to = out + size_t(y) * size_t(pitch);
        switch (columnTaps_) {
            case 1:
                BlendAcross<1>(blended_.data(), columnFirsts_.data(), columnWeights_.data(),
                               columnWide_.data(), area.Left, area.Right, to);
                break;
            case 2:
                BlendAcross<2>(blended_.data(), columnFirsts_.data(), columnWeights_.data(),
                               columnWide_.data(), area.Left, area.Right, to);
                break;
            case 3:
                BlendAcross<3>(blended_.data(), columnFirsts_.data(), columnWeights_.data(),
                               columnWide_.data(), area.Left, area.Right, to);
                break;
            default:
                BlendAcrossAny(blended_.data(), columnFirsts_.data(), columnWeights_.data(),
                               columnTaps_, area.Left, area.Right, to);
                break;
        }
    }
}

}  // namespace tarrabel::platform
