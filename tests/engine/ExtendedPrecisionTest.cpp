// The extended-precision rules the curve relies on, on every build: Linux, and
// the Windows build (MinGW-w64) under Wine. long double is the x87 format with
// a 64-bit mantissa, every product is rounded before it is added, and so the
// curve of the example column comes out bit for bit the same on both.
#include "engine/Faults.h"
#include "engine/Trigonometry.h"
#include "engine/section/Curve.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace flexara {
namespace {

TEST(ExtendedPrecision, LongDoubleIsTheX87Format)
{
    EXPECT_EQ(std::numeric_limits<long double>::digits, 64);
    EXPECT_EQ(std::numeric_limits<long double>::max_exponent, 16384);
    volatile long double one = 1.0L;
    EXPECT_NE(one + 0x1p-63L, one); // the last bit of a 64-bit mantissa is kept
    EXPECT_EQ(one + 0x1p-64L, one);
}

TEST(ExtendedPrecision, ProductsAreRoundedBeforeTheyAreAdded)
{
    // a = 1 + 2^-30: a·a is exactly 1 + 2^-29 + 2^-60. In double the product
    // rounds to 1 + 2^-29 and a·a - b is 0; a fused multiply-add
    // (-ffp-contract=fast on a processor with FMA) would give 2^-60. In long
    // double the product is exact.
    volatile double a = 1.0 + 0x1p-30;
    volatile double b = 1.0 + 0x1p-29;
    EXPECT_EQ(a * a - b, 0.0);
    volatile long double wide = a;
    EXPECT_EQ(wide * wide - b, 0x1p-60L);
}

volatile double Zero = 0.0;
volatile double TinyDouble = 1e-300;
volatile long double TinyLong = 1e-4900L;

TEST(ExtendedPrecision, KeptFlagsComeBackAndMasksStay)
{
    // Reading a number keeps the flags of the command around it. Each row
    // raises flags in one unit (SSE for double, x87 for long double), keeps
    // them, clears everything and puts them back; after that an underflow must
    // still pass silently (with its masks lost, the SSE unit would trap it and
    // end the program, as MinGW-w64's own fesetexceptflag makes it do).
    const struct {
        const char* name;
        int flags;
        void (*raise)();
    } cases[] = {
        {"division by zero in double", FE_DIVBYZERO, [] { Zero = 1.0 / Zero; }},
        {"underflow in long double", FE_UNDERFLOW | FE_INEXACT, [] { TinyLong = TinyLong * TinyLong; }},
        {"nothing raised", 0, [] {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Zero = 0.0;
        TinyLong = 1e-4900L;
        std::feclearexcept(FE_ALL_EXCEPT);
        c.raise();
        const std::fexcept_t kept = KeptFpFlags();
        std::feclearexcept(FE_ALL_EXCEPT);
        RestoreFpFlags(kept);
        EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), c.flags);
        TinyDouble = TinyDouble * TinyDouble;
        EXPECT_EQ(TinyDouble, 0.0);
        EXPECT_NE(std::fetestexcept(FE_UNDERFLOW), 0);
        TinyDouble = 1e-300;
    }
    std::feclearexcept(FE_ALL_EXCEPT);
}

// FNV-1a over the bit patterns of the points: one number that changes when any
// last bit of any point does.
std::uint64_t Digest(const std::vector<Point>& points)
{
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const Point& p : points)
        for (const double v : {p.x, p.y}) {
            std::uint64_t bits = 0;
            std::memcpy(&bits, &v, sizeof bits);
            for (int i = 0; i < 8; ++i) {
                hash ^= (bits >> (8 * i)) & 0xffu;
                hash *= 0x100000001b3u;
            }
        }
    return hash;
}

struct PointsSink : CurveSink {
    std::vector<Point> curve;
    void ClearCurve() override { curve.clear(); }
    void AddCurvePoint(double mx, double my) override { curve.push_back({mx, my}); }
    void AddDesignPoint(double, double) override {}
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning) override {}
};

TEST(ExtendedPrecision, TheCurveOfTheExampleColumnIsTheSameBitForBit)
{
    const struct {
        double nd;
        std::uint64_t digest; // of the Linux build (g++ 12, x86-64)
    } cases[] = {
        {0.0, 0x38b81818f930e172u},
        {-800.0, 0x54acbbabaa37dc4du},
        {300.0, 0x743a37bb9f4c89d3u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nd);
        auto s = testing::MakeColumn20x40();
        s->Nd = c.nd;
        PointsSink sink;
        GenerateCurve(*s, MaterialSelection{}, sink);
        ASSERT_EQ(sink.curve.size(), 102u);
        EXPECT_EQ(Digest(sink.curve), c.digest) << std::hex << Digest(sink.curve);
    }
}

TEST(ExtendedPrecision, SineAndCosineNearTheQuarterTurns)
{
    // Where the curve's neutral axis turns through 90°, 180°, 270° and 360°
    // the angle is the double x just below kπ/2, δ = kπ/2 - x (by hand from
    // π to 60 digits and the doubles' exact decimal values), and the small
    // one of sine and cosine is ±sin δ = ±δ (δ³/6 is 10^-48 smaller):
    //   x = 1.5707963267948965579989817342720925807952880859375  δ = 6.1232339957367658861e-17
    //   x = 3.141592653589793115997963468544185161590576171875   δ = 1.2246467991473531772e-16
    //   x = 4.7123889803846896739969452028162777423858642578125  δ = 1.8369701987210297658e-16
    //   x = 6.28318530717958623199592693708837032318115234375    δ = 2.4492935982947063545e-16
    // The x87 fsin and fcos miss these by up to 5·10^14 ulps.
    struct Case {
        double angle;
        bool sine;
        long double expected;
    };
    const Case cases[] = {
        {1.5707963267948965579989817342720925807952880859375, false, 6.1232339957367658861e-17L},
        {3.141592653589793115997963468544185161590576171875, true, 1.2246467991473531772e-16L},
        {4.7123889803846896739969452028162777423858642578125, false, -1.8369701987210297658e-16L},
        {6.28318530717958623199592693708837032318115234375, true, -2.4492935982947063545e-16L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        const long double got = c.sine ? Sine(c.angle) : Cosine(c.angle);
        // Within 4 ulps of the 64-bit mantissa.
        EXPECT_LE(std::fabs(got - c.expected), 4 * 0x1p-63L * std::fabs(c.expected)) << static_cast<double>(got);
        // The other one is ±1 to the last bit.
        const long double unit = c.sine ? Cosine(c.angle) : Sine(c.angle);
        EXPECT_EQ(std::fabs(unit), 1.0L);
    }
}

} // namespace
} // namespace flexara
