// SPDX-License-Identifier: MIT
// UTM forward and inverse through UtmProjection, beside GeographicLib's UTMUPS
// and PROJ's utm on the same seeded positions (WGS 84, latitudes -80 to 84
// degrees, every longitude). Compare medians of repeated runs:
//   build/bin/projection_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <proj.h>

#include <GeographicLib/UTMUPS.hpp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "projection/utm_projection.h"

namespace {

constexpr double kDegreesToRadians = 0.017453292519943295;
constexpr std::size_t kPoints = 4096;  // a power of two, so the index wraps with a mask

struct Geodetic {
    double latitude;  // degrees
    double longitude;
};

struct Grid {
    std::int32_t zone;
    bool north;
    double easting;
    double northing;
};

const std::vector<Geodetic>& Positions() {
    static const std::vector<Geodetic> positions = [] {
        std::mt19937_64 random(20240604);
        std::uniform_real_distribution<double> latitude(-80.0, 84.0);
        std::uniform_real_distribution<double> longitude(-180.0, 180.0);
        std::vector<Geodetic> result(kPoints);
        for (Geodetic& p : result) {
            p.latitude = latitude(random);
            p.longitude = longitude(random);
        }
        return result;
    }();
    return positions;
}

// Each library inverts its own grid positions of the same seeded points.
const std::vector<Grid>& QuillpostGrid() {
    static const std::vector<Grid> grid = [] {
        std::vector<Grid> result;
        for (const Geodetic& p : Positions()) {
            Grid g;
            char hemisphere;
            UtmProjection::Forward(p.latitude * kDegreesToRadians, p.longitude * kDegreesToRadians,
                                   &g.zone, &hemisphere, &g.easting, &g.northing);
            g.north = hemisphere == 'N';
            result.push_back(g);
        }
        return result;
    }();
    return grid;
}

const std::vector<Grid>& GeographicLibGrid() {
    static const std::vector<Grid> grid = [] {
        std::vector<Grid> result;
        for (const Geodetic& p : Positions()) {
            Grid g;
            int zone;
            GeographicLib::UTMUPS::Forward(p.latitude, p.longitude, zone, g.north, g.easting,
                                           g.northing);
            g.zone = zone;
            result.push_back(g);
        }
        return result;
    }();
    return grid;
}

// PROJ's utm is one projection object per zone and hemisphere; the zone is
// chosen beforehand (GeographicLib's), so PROJ's figures leave that step out.
class ProjZones {
public:
    ProjZones() : m_context(proj_context_create()) {
        for (int zone = 1; zone <= 60; ++zone) {
            for (int south = 0; south <= 1; ++south) {
                const std::string definition =
                    "+proj=utm +ellps=WGS84 +zone=" + std::to_string(zone) +
                    (south ? " +south" : "");
                PJ* projection = proj_create(m_context, definition.c_str());
                if (projection == nullptr) {
                    std::fprintf(stderr, "PROJ refuses %s\n", definition.c_str());
                    std::abort();
                }
                m_zones[(zone - 1) * 2 + south] = projection;
            }
        }
    }
    ~ProjZones() {
        for (PJ* projection : m_zones) {
            proj_destroy(projection);
        }
        proj_context_destroy(m_context);
    }
    PJ* Zone(std::int32_t zone, bool north) const {
        return m_zones[(zone - 1) * 2 + (north ? 0 : 1)];
    }

private:
    PJ_CONTEXT* m_context;
    PJ* m_zones[120] = {};
};

const ProjZones& Proj() {
    static const ProjZones zones;
    return zones;
}

const std::vector<Grid>& ProjGrid() {
    static const std::vector<Grid> grid = [] {
        std::vector<Grid> result;
        const std::vector<Grid>& zones = GeographicLibGrid();
        for (std::size_t i = 0; i < kPoints; ++i) {
            const Geodetic& p = Positions()[i];
            Grid g = zones[i];
            const PJ_COORD xy = proj_trans(Proj().Zone(g.zone, g.north), PJ_FWD,
                                           proj_coord(p.longitude * kDegreesToRadians,
                                                      p.latitude * kDegreesToRadians, 0.0, 0.0));
            g.easting = xy.enu.e;
            g.northing = xy.enu.n;
            result.push_back(g);
        }
        return result;
    }();
    return grid;
}

void UtmForwardQuillpost(benchmark::State& state) {
    const std::vector<Geodetic>& positions = Positions();
    std::size_t i = 0;
    for (auto _ : state) {
        const Geodetic& p = positions[i++ & (kPoints - 1)];
        std::int32_t zone;
        char hemisphere;
        double easting;
        double northing;
        benchmark::DoNotOptimize(UtmProjection::Forward(p.latitude * kDegreesToRadians,
                                                        p.longitude * kDegreesToRadians, &zone,
                                                        &hemisphere, &easting, &northing));
        benchmark::DoNotOptimize(easting);
        benchmark::DoNotOptimize(northing);
    }
}

void UtmForwardGeographicLib(benchmark::State& state) {
    const std::vector<Geodetic>& positions = Positions();
    std::size_t i = 0;
    for (auto _ : state) {
        const Geodetic& p = positions[i++ & (kPoints - 1)];
        int zone;
        bool north;
        double easting;
        double northing;
        GeographicLib::UTMUPS::Forward(p.latitude, p.longitude, zone, north, easting, northing);
        benchmark::DoNotOptimize(easting);
        benchmark::DoNotOptimize(northing);
    }
}

void UtmForwardProj(benchmark::State& state) {
    const std::vector<Geodetic>& positions = Positions();
    const std::vector<Grid>& zones = GeographicLibGrid();
    const ProjZones& proj = Proj();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t k = i++ & (kPoints - 1);
        const Geodetic& p = positions[k];
        PJ_COORD xy = proj_trans(
            proj.Zone(zones[k].zone, zones[k].north), PJ_FWD,
            proj_coord(p.longitude * kDegreesToRadians, p.latitude * kDegreesToRadians, 0.0, 0.0));
        benchmark::DoNotOptimize(xy);
    }
}

void UtmInverseQuillpost(benchmark::State& state) {
    const std::vector<Grid>& grid = QuillpostGrid();
    std::size_t i = 0;
    for (auto _ : state) {
        const Grid& g = grid[i++ & (kPoints - 1)];
        double latitude;
        double longitude;
        benchmark::DoNotOptimize(UtmProjection::Inverse(g.zone, g.north ? 'N' : 'S', g.easting,
                                                        g.northing, &latitude, &longitude));
        benchmark::DoNotOptimize(latitude);
        benchmark::DoNotOptimize(longitude);
    }
}

void UtmInverseGeographicLib(benchmark::State& state) {
    const std::vector<Grid>& grid = GeographicLibGrid();
    std::size_t i = 0;
    for (auto _ : state) {
        const Grid& g = grid[i++ & (kPoints - 1)];
        double latitude;
        double longitude;
        GeographicLib::UTMUPS::Reverse(g.zone, g.north, g.easting, g.northing, latitude, longitude);
        benchmark::DoNotOptimize(latitude);
        benchmark::DoNotOptimize(longitude);
    }
}

void UtmInverseProj(benchmark::State& state) {
    const std::vector<Grid>& grid = ProjGrid();
    const ProjZones& proj = Proj();
    std::size_t i = 0;
    for (auto _ : state) {
        const Grid& g = grid[i++ & (kPoints - 1)];
        PJ_COORD lp = proj_trans(proj.Zone(g.zone, g.north), PJ_INV,
                                 proj_coord(g.easting, g.northing, 0.0, 0.0));
        benchmark::DoNotOptimize(lp);
    }
}

BENCHMARK(UtmForwardQuillpost);
BENCHMARK(UtmForwardGeographicLib);
BENCHMARK(UtmForwardProj);
BENCHMARK(UtmInverseQuillpost);
BENCHMARK(UtmInverseGeographicLib);
BENCHMARK(UtmInverseProj);

}  // namespace

BENCHMARK_MAIN();
