#include "demodata/DemoSar.h"

#include "demodata/SplitMix64.h"

#include "textio/LineWriter.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace {

constexpr std::uint64_t kSeed = 0x5341523139393121ULL;
constexpr int kNotApplicable = -9;

// Household fields.
enum Hh {
    HNum = 1,
    AreaHH,
    Bath,
    Cars,
    CenHeat,
    HHSpInDw,
    HHSpType,
    InsideWC,
    LowFloor,
    PersInHH,
    RoomsNum,
    Tenure,
    WMove,
    FirstRes,
    LastRes
};
// Person fields.
enum Ind {
    PHNum = 1,
    PNum,
    Age,
    CoBirth,
    DistMove,
    DistWork,
    EconPrim,
    EconSec,
    EmpStat,
    EthGroup,
    FamHead,
    FamNum,
    FamTyppe,
    GaelLang,
    Hours,
    Industry,
    LTIll,
    MigOrgn,
    MStatus,
    Occpatn,
    QuaLevel,
    QualNum,
    QualSub,
    Relat,
    ResidSta,
    SEGroup,
    Sex,
    SoClass,
    TermTim,
    TranWork,
    URVisit,
    WelshLan,
    WorkPlce
};

enum class Country { England, Wales, Scotland };
enum class Kind { Single, Couple, LoneParent, Sharers };

/// Picks an index by weights that add up to 1000.
template <std::size_t N> int pick(SplitMix64& rng, const int (&weights)[N])
{
    int r = rng.between(0, 999);
    for (std::size_t i = 0; i < N; ++i) {
        if (r < weights[i])
            return static_cast<int>(i);
        r -= weights[i];
    }
    return static_cast<int>(N) - 1;
}

/// Household sizes that add up to exactly the person count.
std::vector<int> householdSizes(SplitMix64& rng)
{
    const int weights[] = { 270, 340, 160, 150, 60, 15, 5 };
    std::vector<int> sizes(kNumSarHouseholds);
    int total = 0;
    for (int& size : sizes)
        total += size = 1 + pick(rng, weights);
    while (total != kNumSarPersons) {
        int& size = sizes[static_cast<std::size_t>(rng.between(0, kNumSarHouseholds - 1))];
        if (total < kNumSarPersons && size < 8) {
            ++size;
            ++total;
        } else if (total > kNumSarPersons && size > 1) {
            --size;
            --total;
        }
    }
    return sizes;
}

struct Work {
    int occupation;
    int industry;
    int seg;
    int socialClass;
};

Work drawWork(SplitMix64& rng, int econ)
{
    Work w {};
    w.occupation = rng.between(1, 9);
    w.industry = rng.between(0, 9);
    // Socio-economic group and social class follow the occupation.
    static constexpr int kSeg[10][2]
        = { { 0, 0 }, { 1, 2 }, { 3, 4 }, { 5, 5 }, { 6, 6 }, { 8, 9 }, { 7, 7 }, { 6, 6 }, { 10, 10 }, { 11, 11 } };
    static constexpr int kClass[10] = { 0, 2, 1, 2, 3, 4, 5, 3, 5, 6 };
    w.seg = kSeg[w.occupation][rng.between(0, 1)];
    w.socialClass = kClass[w.occupation];
    if (w.industry == 0)
        w.seg = econ == 3 ? 13 : econ == 4 ? 14 : 15;
    else if (econ == 4 && w.occupation >= 5)
        w.seg = 12;
    if (rng.chance(0.01)) {
        w.seg = 16;
        w.socialClass = 7;
    } else if (rng.chance(0.005)) {
        w.seg = 17;
    }
    return w;
}

class SarBuilder {
public:
    explicit SarBuilder(DemoSar& sar)
        : m_sar(sar)
        , m_rng(SplitMix64::stream(kSeed, 1))
    {
    }

    void build()
    {
        std::vector<int> sizes = householdSizes(m_rng);
        m_sar.households.assign(kNumSarHouseholds + 1, {});
        m_sar.persons.assign(kNumSarPersons + 1, {});
        int nextPerson = 1;
        for (int h = 1; h <= kNumSarHouseholds; ++h) {
            int size = sizes[static_cast<std::size_t>(h - 1)];
            buildHousehold(h, size, nextPerson);
            nextPerson += size;
        }
    }

private:
    DemoSar::Household& household(int h) { return m_sar.households[static_cast<std::size_t>(h)]; }
    DemoSar::Person& person(int p) { return m_sar.persons[static_cast<std::size_t>(p)]; }

    void buildHousehold(int h, int size, int first)
    {
        auto& hh = household(h);
        hh[HNum] = h;
        hh[PersInHH] = size;
        hh[FirstRes] = first;
        hh[LastRes] = first + size - 1;
        const int areaWeights[] = { 850, 50, 100 };
        Country country = static_cast<Country>(pick(m_rng, areaWeights));
        hh[AreaHH] = country == Country::England ? m_rng.between(1, 230)
            : country == Country::Wales          ? m_rng.between(231, 248)
                                                 : m_rng.between(249, 278);
        buildAccommodation(hh, size, country);
        buildPersons(h, size, first, country);
    }

    void buildAccommodation(DemoSar::Household& hh, int size, Country country)
    {
        const int types[] = { 200, 290, 280, 140, 60, 20, 10 };
        hh[HHSpType] = 1 + pick(m_rng, types);
        bool flat = hh[HHSpType] >= 4 && hh[HHSpType] <= 6;
        hh[LowFloor] = !flat     ? 0
            : m_rng.chance(0.03) ? -1
            : m_rng.chance(0.3)  ? 0
            : m_rng.chance(0.85) ? m_rng.between(1, 4)
                                 : m_rng.between(5, 15);
        hh[HHSpInDw] = hh[HHSpType] == 5 && m_rng.chance(0.3) ? m_rng.between(2, 4) : 1;
        bool shared = hh[HHSpInDw] > 1;
        const int amenity[] = { 985, 8, 7 };
        const int sharedAmenity[] = { 600, 350, 50 };
        hh[Bath] = 1 + pick(m_rng, shared ? sharedAmenity : amenity);
        hh[InsideWC] = 1 + pick(m_rng, shared ? sharedAmenity : amenity);
        const int heating[] = { 780, 70, 150 };
        hh[CenHeat] = 1 + pick(m_rng, heating);
        int rooms = size + (flat ? m_rng.between(0, 2) : m_rng.between(1, 3)) + (hh[HHSpType] <= 2 ? 1 : 0);
        hh[RoomsNum] = std::clamp(rooms, 1, 14);
        const int tenure[] = { 240, 420, 30, 50, 20, 30, 210 };
        hh[Tenure] = 1 + pick(m_rng, tenure);
        if (country == Country::Scotland && hh[Tenure] == 7 && m_rng.chance(0.15))
            hh[Tenure] = 8;
        const int cars[] = { 330, 450, 180, 40 };
        hh[Cars] = pick(m_rng, cars);
    }

    void buildPersons(int h, int size, int first, Country country)
    {
        Kind kind = Kind::Single;
        if (size >= 2) {
            const int kinds[] = { 780, 150, 70 };
            kind = static_cast<Kind>(1 + pick(m_rng, kinds));
        }
        bool married = m_rng.chance(0.85);
        int headAge = kind == Kind::Single ? m_rng.between(20, 92)
            : kind == Kind::Sharers        ? m_rng.between(18, 45)
            : size >= 3                    ? m_rng.between(24, 62)
                                           : m_rng.between(20, 88);
        int headSex = kind == Kind::Couple ? (m_rng.chance(0.9) ? 1 : 2)
            : kind == Kind::LoneParent     ? (m_rng.chance(0.8) ? 2 : 1)
                                           : m_rng.between(1, 2);
        int ethnic = m_rng.chance(0.94) ? 1 : m_rng.between(2, 10);

        // Relationship and age of each member; the head comes first.
        for (int i = 0; i < size; ++i) {
            auto& p = person(first + i);
            p[PHNum] = h;
            p[PNum] = i + 1;
            p[EthGroup] = ethnic;
            if (i == 0) {
                p[Relat] = 1;
                p[Age] = headAge;
                p[Sex] = headSex;
            } else if (i == 1 && kind == Kind::Couple) {
                p[Relat] = married ? 2 : 3;
                p[Age] = std::clamp(headAge + m_rng.between(-6, 4), 17, 95);
                p[Sex] = 3 - headSex;
            } else if (kind == Kind::Sharers) {
                p[Relat] = 9;
                p[Age] = m_rng.between(18, 45);
                p[Sex] = m_rng.between(1, 2);
            } else if (m_rng.chance(0.04) && headAge <= 60) {
                p[Relat] = 7;
                p[Age] = std::min(headAge + m_rng.between(20, 35), 95);
                p[Sex] = m_rng.between(1, 2);
            } else if (m_rng.chance(0.03)) {
                p[Relat] = 8;
                p[Age] = m_rng.between(5, 80);
                p[Sex] = m_rng.between(1, 2);
            } else {
                p[Relat] = kind == Kind::Couple && m_rng.chance(0.06) ? 5 : 4;
                p[Age] = m_rng.between(0, std::clamp(headAge - 18, 0, 30));
                p[Sex] = m_rng.between(1, 2);
            }
        }
        assignFamily(first, size, kind, married);
        int migrants = assignMigration(first, size);
        int movable = 0;
        for (int i = 0; i < size; ++i)
            movable += person(first + i)[Age] >= 1 ? 1 : 0;
        household(h)[WMove] = migrants == 0 ? 0 : migrants == movable ? 1 : 2;
        for (int i = 0; i < size; ++i)
            assignPersonal(person(first + i), country, kind, married);
    }

    void assignFamily(int first, int size, Kind kind, bool married)
    {
        bool anyChild = false;
        bool dependent = false;
        for (int i = 1; i < size; ++i) {
            const auto& p = person(first + i);
            if (p[Relat] == 4 || p[Relat] == 5) {
                anyChild = true;
                dependent = dependent || p[Age] < 16;
            }
        }
        bool family = kind == Kind::Couple || (kind == Kind::LoneParent && anyChild);
        int type = 0;
        if (kind == Kind::Couple && married)
            type = !anyChild ? 1 : dependent ? 2 : 3;
        else if (kind == Kind::Couple)
            type = anyChild ? 5 : 4;
        else if (family)
            type = dependent ? 6 : 7;
        for (int i = 0; i < size; ++i) {
            auto& p = person(first + i);
            bool member = family && (p[Relat] <= 5);
            p[FamNum] = member ? 1 : 0;
            p[FamHead] = !member ? 0 : i == 0 ? 1 : 2;
            p[FamTyppe] = member ? type : 0;
        }
    }

    /// Address a year ago; returns how many members aged 1 or over moved.
    int assignMigration(int first, int size)
    {
        bool wholly = m_rng.chance(0.09);
        const int origins[] = { 450, 200, 150, 150, 50 };
        int householdOrigin = 1 + pick(m_rng, origins);
        int householdDistance = distanceOfMove(householdOrigin);
        int migrants = 0;
        for (int i = 0; i < size; ++i) {
            auto& p = person(first + i);
            if (p[Age] < 1) {
                p[MigOrgn] = p[DistMove] = kNotApplicable;
            } else if (wholly) {
                p[MigOrgn] = householdOrigin;
                p[DistMove] = householdDistance;
            } else if (m_rng.chance(0.025)) {
                p[MigOrgn] = 1 + pick(m_rng, origins);
                p[DistMove] = distanceOfMove(p[MigOrgn]);
            } else {
                p[MigOrgn] = p[DistMove] = 0;
            }
            migrants += p[MigOrgn] > 0 ? 1 : 0;
        }
        return migrants;
    }

    int distanceOfMove(int origin)
    {
        switch (origin) {
        case 1:
            return m_rng.between(1, 5);
        case 2:
            return m_rng.between(3, 30);
        case 3:
            return m_rng.between(10, 80);
        case 4:
            return m_rng.between(60, 600);
        default:
            return 999;
        }
    }

    void assignPersonal(DemoSar::Person& p, Country country, Kind kind, bool married)
    {
        const int age = p[Age];
        // Marital status.
        if (age < 16)
            p[MStatus] = 1;
        else if (p[Relat] == 2 || (p[Relat] == 1 && kind == Kind::Couple && married))
            p[MStatus] = m_rng.chance(0.85) ? 2 : 3;
        else if (p[Relat] == 7 || (age > 70 && m_rng.chance(0.6)))
            p[MStatus] = 5;
        else if (p[Relat] == 3 || p[Relat] == 1)
            p[MStatus] = m_rng.chance(0.55) ? 1 : 4;
        else
            p[MStatus] = m_rng.chance(0.9) ? 1 : 4;

        p[CoBirth] = countryOfBirth(p, country);
        p[LTIll] = m_rng.chance(0.03 + 0.35 * age / 95.0) ? 1 : 2;
        p[ResidSta] = p[Relat] == 9 && m_rng.chance(0.1) ? 3 : m_rng.chance(0.025) ? 2 : 1;
        p[URVisit] = p[ResidSta] == 3 ? 2 : 1;
        p[GaelLang] = country == Country::Scotland && age >= 3 ? (m_rng.chance(0.02) ? 1 : 2) : kNotApplicable;
        p[WelshLan] = country == Country::Wales && age >= 3 ? (m_rng.chance(0.19) ? 1 : 2) : kNotApplicable;

        if (age < 18) {
            p[QuaLevel] = p[QualNum] = p[QualSub] = kNotApplicable;
        } else {
            const int levels[] = { 860, 15, 60, 65 };
            p[QuaLevel] = pick(m_rng, levels);
            p[QualNum] = p[QuaLevel] == 0 ? 0 : m_rng.between(1, 3);
            p[QualSub] = p[QuaLevel] == 0 ? 0 : m_rng.between(1, 9);
        }
        assignEconomy(p);
    }

    int countryOfBirth(const DemoSar::Person& p, Country country)
    {
        int home = country == Country::England ? 1 : country == Country::Scotland ? 2 : 3;
        if (p[EthGroup] != 1) {
            if (p[Age] < 16 || m_rng.chance(0.35))
                return home;
            return m_rng.chance(0.85) ? 7 : 9;
        }
        const int elsewhere[] = { 300, 200, 100, 100, 150, 100, 50 }; // 1..4 home nations, 5, 6, 8
        if (m_rng.chance(0.9))
            return home;
        static constexpr int kCodes[] = { 1, 2, 3, 4, 5, 6, 8 };
        return kCodes[pick(m_rng, elsewhere)];
    }

    void assignEconomy(DemoSar::Person& p)
    {
        const int age = p[Age];
        int econ = kNotApplicable;
        p[EconSec] = kNotApplicable;
        if (age >= 16) {
            p[EconSec] = 0;
            bool pensioner = age >= (p[Sex] == 1 ? 65 : 60);
            if (pensioner) {
                econ = m_rng.chance(0.8) ? 9 : m_rng.chance(0.5) ? 10 : (m_rng.chance(0.5) ? 2 : 4);
            } else if (age <= 22 && m_rng.chance(0.45)) {
                econ = 7;
                p[EconSec] = m_rng.chance(0.2) ? 1 : m_rng.chance(0.1) ? 2 : 0;
            } else {
                const int positions[] = { 580, 120, 30, 70, 0, 70, 40, 90 };
                static constexpr int kCodes[] = { 1, 2, 3, 4, 5, 6, 8, 10 };
                econ = kCodes[pick(m_rng, positions)];
                if (age < 25 && m_rng.chance(0.04))
                    econ = 5;
            }
        }
        p[EconPrim] = econ;
        p[TermTim] = econ == 7 ? (m_rng.chance(0.65) ? 1 : 2) : kNotApplicable;

        bool employed = econ >= 1 && econ <= 5;
        if (!employed) {
            for (int field : { EmpStat, Hours, Industry, Occpatn, SEGroup, SoClass, DistWork, TranWork, WorkPlce })
                p[static_cast<std::size_t>(field)] = kNotApplicable;
            return;
        }
        p[EmpStat] = econ <= 2 ? 1 : econ == 3 ? 2 : econ == 4 ? 3 : 4;
        p[Hours] = econ == 1 ? m_rng.between(31, 60)
            : econ == 2      ? m_rng.between(4, 30)
            : econ == 5      ? m_rng.between(20, 40)
                             : m_rng.between(20, 80);
        Work work = drawWork(m_rng, econ);
        p[Occpatn] = work.occupation;
        p[Industry] = work.industry;
        p[SEGroup] = work.seg;
        p[SoClass] = work.socialClass;

        const int places[] = { 50, 550, 250, 110, 40 };
        p[WorkPlce] = 1 + pick(m_rng, places);
        switch (p[WorkPlce]) {
        case 1:
            p[DistWork] = 0;
            break;
        case 2:
            p[DistWork] = m_rng.between(1, 8);
            break;
        case 3:
            p[DistWork] = m_rng.between(4, 25);
            break;
        case 4:
            p[DistWork] = m_rng.between(15, 80);
            break;
        default:
            p[DistWork] = 0;
            break;
        }
        const int means[] = { 50, 20, 120, 500, 80, 20, 40, 130, 40 };
        p[TranWork] = p[WorkPlce] == 1 ? 10 : 1 + pick(m_rng, means);
    }

    DemoSar& m_sar;
    SplitMix64 m_rng;
};

template <std::size_t N> void writeRecords(const std::string& path, const std::vector<std::array<int, N>>& records)
{
    LineWriter out(path, 1 << 16);
    for (std::size_t r = 1; r < records.size(); ++r) {
        for (std::size_t f = 1; f < N; ++f) {
            if (f > 1)
                out.put(',');
            out.appendInteger(records[r][f]);
        }
        out.endLine();
    }
    out.close();
}

template <std::size_t N>
void writePairs(LineWriter& out, const char* heading, const std::vector<std::array<int, N>>& records)
{
    out.append(heading);
    out.endLine();
    for (std::size_t f = 0; f < N; ++f) {
        int width = 0;
        for (std::size_t r = 1; f > 0 && r < records.size(); ++r)
            width = std::max(width, decimalWidth(records[r][f]));
        out.appendInteger(static_cast<std::int64_t>(f));
        out.put(',');
        out.appendInteger(width);
        out.endLine();
    }
}

} // namespace

int decimalWidth(int value)
{
    char digits[LineWriter::kMaxIntegerLength];
    return static_cast<int>(std::to_chars(digits, std::end(digits), value).ptr - digits);
}

DemoSar buildDemoSar()
{
    DemoSar sar;
    SarBuilder(sar).build();
    return sar;
}

void writeSarFiles(const DemoSar& sar, const std::string& folder)
{
    writeRecords(folder + "HHSAR.dat", sar.households);
    writeRecords(folder + "IndSAR.dat", sar.persons);
}

void writeVariableMap(const DemoSar& sar, const std::string& folder)
{
    LineWriter out(folder + "VariableMap.dat", 1 << 16);
    writePairs(out, "Household variables: list row and width", sar.households);
    writePairs(out, "Individual variables: list row and width", sar.persons);
    out.close();
}
