#include "colour/nearestScan.h"

#include <limits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
constexpr float kFar = std::numeric_limits<float>::infinity();

#if defined(__SSE2__)
using Tfour = __m128;
inline Tfour Load(const float *values) { return _mm_loadu_ps(values); }
inline Tfour Splat(float value) { return _mm_set1_ps(value); }
inline Tfour Min(Tfour a, Tfour b) { return _mm_min_ps(a, b); }
inline void Store(float *to, Tfour value) { _mm_storeu_ps(to, value); }
inline float LeastLane(Tfour four)
{
    four = _mm_min_ps(four, _mm_shuffle_ps(four, four, _MM_SHUFFLE(1, 0, 3, 2)));
    four = _mm_min_ps(four, _mm_shuffle_ps(four, four, _MM_SHUFFLE(2, 3, 0, 1)));
    return _mm_cvtss_f32(four);
}
// The first entry from start on equal to value, which is known to be there.
inline std::int32_t FirstAt(const float *scratch, std::int32_t start, float value)
{
    const __m128 v = _mm_set1_ps(value);
    for (std::int32_t p = start;; p += 4) {
        const int equal = _mm_movemask_ps(_mm_cmpeq_ps(_mm_loadu_ps(scratch + p), v));
        if (equal)
            return p + __builtin_ctz(unsigned(equal));
    }
}
#else
// Four lanes of floats in the compiler's generic vectors.
typedef float Tfour __attribute__((vector_size(16)));
inline Tfour Load(const float *values) { return Tfour{values[0], values[1], values[2], values[3]}; }
inline Tfour Splat(float value) { return Tfour{value, value, value, value}; }
inline Tfour Min(Tfour a, Tfour b) { return b < a ? b : a; }
inline void Store(float *to, Tfour value)
{
    for (int lane = 0; lane < 4; ++lane)
        to[lane] = value[lane];
}
inline float LeastLane(Tfour four)
{
    float least = four[0];
    for (int lane = 1; lane < 4; ++lane)
        least = four[lane] < least ? four[lane] : least;
    return least;
}
inline std::int32_t FirstAt(const float *scratch, std::int32_t start, float value)
{
    std::int32_t p = start;
    while (scratch[p] != value)
        ++p;
    return p;
}
#endif
}  // namespace

std::int32_t TcandidateBlocks::AddBlock(const std::vector<const TrgbColor *> &colours)
{
    const std::int32_t start = std::int32_t(m_colours.size());
    const std::int32_t size = std::int32_t(colours.size());
    const std::int32_t end = start + (size + 3) / 4 * 4;
    for (std::int32_t i = 0; i < end - start; ++i) {
        const TrgbColor *c = i < size ? colours[std::size_t(i)] : nullptr;
        const float r = c ? float(c->Red) : 0, g = c ? float(c->Green) : 0, b = c ? float(c->Blue) : 0;
        const float length = r * r + g * g + b * b;
        m_colours.push_back(c);
        m_red.push_back(r);
        m_green.push_back(g);
        m_blue.push_back(b);
        m_weighted.push_back(c ? 30 * r * r + 59 * g * g + 11 * b * b : kFar);
        m_length.push_back(c ? length : kFar);
        m_inverse.push_back(length > 0 ? 1 / length : 0);
        m_lineFactor.push_back(length > 0 ? 1 : 0);
        m_scratch.push_back(0);
    }
    m_blocks.push_back({start, size, end});
    return std::int32_t(m_blocks.size()) - 1;
}

std::int32_t TcandidateBlocks::FirstNearest(const TrgbColor &sought, std::int32_t block, bool soughtIsA) const
{
    const Tblock &b = m_blocks[std::size_t(block)];
    if (!TrgbColor::UseEyesight())
        return FirstPlainNearest(sought, b, soughtIsA);

    const Tfour r = Splat(float(60 * sought.Red)), g = Splat(float(118 * sought.Green));
    const Tfour bl = Splat(float(22 * sought.Blue));
    float *scratch = m_scratch.data();
    Tfour least = Splat(kFar);
    for (std::int32_t p = b.Start; p < b.End; p += 4) {
        const Tfour rank = Load(m_weighted.data() + p) - Load(m_red.data() + p) * r - Load(m_green.data() + p) * g
                           - Load(m_blue.data() + p) * bl;
        Store(scratch + p, rank);
        least = Min(least, rank);
    }
    return FirstAt(scratch, b.Start, LeastLane(least)) - b.Start;
}

std::int32_t TcandidateBlocks::FirstPlainNearest(const TrgbColor &sought, const Tblock &b, bool soughtIsA) const
{
    const float rs = float(sought.Red), gs = float(sought.Green), bs = float(sought.Blue);
    const float soughtLength = rs * rs + gs * gs + bs * bs;
    const Tfour r = Splat(rs), g = Splat(gs), bl = Splat(bs), ls = Splat(soughtLength);
    // A black sought colour on A's side has no line term: its distances are s2 alone.
    const bool soughtHasLine = soughtLength > 0;
    const Tfour two = Splat(2), inverseS = Splat(soughtHasLine ? 1 / soughtLength : 0);
    float *scratch = m_scratch.data();
    Tfour leastFour = Splat(kFar);
    for (std::int32_t p = b.Start; p < b.End; p += 4) {
        const Tfour length = Load(m_length.data() + p);
        const Tfour dot = Load(m_red.data() + p) * r + Load(m_green.data() + p) * g + Load(m_blue.data() + p) * bl;
        const Tfour s2 = length + ls - two * dot;
        // B's squared distance from the line through black and A.
        const Tfour line = !soughtIsA ? (ls - dot * dot * Load(m_inverse.data() + p)) * Load(m_lineFactor.data() + p)
                           : soughtHasLine ? length - dot * dot * inverseS
                                           : Splat(0);
        const Tfour estimate = s2 + line;
        Store(scratch + p, estimate);
        leastFour = Min(leastFour, estimate);
    }
    const float least = LeastLane(leastFour);
    const std::int32_t closest = FirstAt(scratch, b.Start, least);
    // Every candidate at the least exact distance has an estimate within 2 x 0.1 of the least
    // estimate. Mostly the closest one is alone in that window and is the answer as it stands.
    const float window = least + 1;
    std::int32_t inWindow = 0;
    for (std::int32_t p = b.Start; p < b.Start + b.Size; ++p)
        inWindow += scratch[p] <= window ? 1 : 0;
    if (inWindow == 1)
        return closest - b.Start;

    // Otherwise the exact distances decide, the first least one in scan order.
    TrgbColor full = sought;
    full.Update();
    std::int32_t best = -1;
    TextendedFloat bestDistance = 0;
    for (std::int32_t p = b.Start; p < b.Start + b.Size; ++p) {
        if (!(scratch[p] <= window))
            continue;
        const TrgbColor &candidate = *m_colours[std::size_t(p)];
        const TextendedFloat d = soughtIsA ? TrgbColor::Distance(full, candidate) : TrgbColor::Distance(candidate, full);
        if (best < 0 || d < bestDistance) {
            bestDistance = d;
            best = p;
        }
    }
    return best - b.Start;
}
