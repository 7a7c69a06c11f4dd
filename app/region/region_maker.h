// MakeRegion: a region's data made quickly on a server, as its homes would have left it after
// working the shape's months: the TRF's schema with its trust, the homes and their desks (each a
// login role of the server, granted its home), and every row and change-record entry written by
// COPY past the triggers, each entry chained on its home's chain as the triggers would have, so that
// the region passes `trf --verify`.
#pragma once

#include <ostream>
#include <string>

#include "app/region/region_homes.h"
#include "app/region/region_shape.h"

namespace trf::region {

// Makes `shape`'s region in the database at `uri`, which holds no homes yet (a new database, or
// one with the TRF's tables and nothing more), as the role of `uri`: the administrator, who must be
// a superuser to write past the triggers. Says how far it got on `progress` when given. Raises a
// sentence (kw::Error or std::runtime_error) when it cannot.
RegionCounts MakeRegion(const std::string& uri, const RegionShape& shape, std::ostream* progress = nullptr);

}  // namespace trf::region
