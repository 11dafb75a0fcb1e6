#include "CollisionGrid.h"

#include "Object.h"
#include "utility.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

/// Squares beyond this index (2^40 world cells away) are not filed: such boxes go wide.
constexpr double FARTHEST = 1099511627776.0;

/// The square holding v. It never decreases as v grows, so boxes that touch or overlap in
/// float arithmetic cover at least one square in common.
bool squareOf(float v, long long& square) {
  const double s = std::floor(static_cast<double>(v) / static_cast<double>(CollisionGrid::SQUARE));
  if (!(std::fabs(s) <= FARTHEST)) {
    return false;
  }
  square = static_cast<long long>(s);
  return true;
}

} // namespace

CollisionGrid::CollisionGrid() : buckets(256) {}

CollisionGrid::Squares CollisionGrid::squaresOf(const Box& box) {
  Squares s;
  const float x = box.getCorner().getX();
  const float y = box.getCorner().getY();
  // The far edges are summed in float, exactly as the intersection test sums them.
  const float x_end = x + box.getHorizontal();
  const float y_end = y + box.getVertical();
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(x_end) || !std::isfinite(y_end)) {
    return s;
  }
  s.valid = squareOf(std::min(x, x_end), s.x0) && squareOf(std::max(x, x_end), s.x1) &&
            squareOf(std::min(y, y_end), s.y0) && squareOf(std::max(y, y_end), s.y1);
  return s;
}

std::size_t CollisionGrid::bucketOf(long long x, long long y) const {
  const auto h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull ^
                 static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4Full;
  return static_cast<std::size_t>(h >> 32) & (buckets.size() - 1);
}

int CollisionGrid::slotOf(const Object* p_o) const {
  const int slot = p_o->places.grid_slot;
  const bool here = slot >= 0 && static_cast<std::size_t>(slot) < entries.size() &&
                    entries[static_cast<std::size_t>(slot)].p_o == p_o;
  return here ? slot : -1;
}

void CollisionGrid::insert(Object* p_o) {
  remove(p_o);
  int slot;
  if (free_slots.empty()) {
    slot = static_cast<int>(entries.size());
    entries.emplace_back();
    marks.push_back(0);
  } else {
    slot = free_slots.back();
    free_slots.pop_back();
  }
  Entry& e = entries[static_cast<std::size_t>(slot)];
  e.p_o = p_o;
  e.order = next_order++;
  e.squares = squaresOf(getWorldBox(p_o));
  p_o->places.grid_slot = slot;
  file(slot);
  filed++;
  live_filings += e.where.size();
  if (filed > buckets.size()) {
    refile(buckets.size() * 2);
  }
}

void CollisionGrid::remove(const Object* p_o) {
  const int slot = slotOf(p_o);
  if (slot < 0) {
    return;
  }
  // The entry's filings stay where they are, skipped by queries, until the next refile.
  Entry& e = entries[static_cast<std::size_t>(slot)];
  e.p_o = nullptr;
  filed--;
  live_filings -= e.where.size();
  dead_filings += e.where.size();
  if (dead_filings > 3 * live_filings + MIN_REFILE) {
    refile(buckets.size());
  }
}

void CollisionGrid::update(const Object* p_o) {
  const int slot = slotOf(p_o);
  if (slot < 0) {
    return;
  }
  const Squares now = squaresOf(getWorldBox(p_o));
  Entry& e = entries[static_cast<std::size_t>(slot)];
  if (now == e.squares) {
    return;
  }
  live_filings -= e.where.size();
  unfile(slot);
  e.squares = now;
  file(slot);
  live_filings += e.where.size();
}

void CollisionGrid::clear() {
  entries.clear();
  marks.clear();
  free_slots.clear();
  filed = live_filings = dead_filings = 0;
  wide.clear();
  buckets.assign(256, std::vector<Filing>());
}

void CollisionGrid::file(int slot) {
  Entry& e = entries[static_cast<std::size_t>(slot)];
  e.wide = !e.squares.isSmall();
  e.where.clear();
  auto put = [&](std::vector<Filing>& list) {
    e.where.push_back(static_cast<int>(list.size()));
    list.push_back(Filing{slot, static_cast<int>(e.where.size()) - 1});
  };
  if (e.wide) {
    put(wide);
    return;
  }
  for (long long y = e.squares.y0; y <= e.squares.y1; y++) {
    for (long long x = e.squares.x0; x <= e.squares.x1; x++) {
      put(buckets[bucketOf(x, y)]);
    }
  }
}

void CollisionGrid::unfile(int slot) {
  const Entry& e = entries[static_cast<std::size_t>(slot)];
  // The last filing of the list takes the place of the one taken out.
  auto take = [this](std::vector<Filing>& list, int at) {
    const Filing last = list.back();
    list[static_cast<std::size_t>(at)] = last;
    entries[static_cast<std::size_t>(last.slot)].where[static_cast<std::size_t>(last.nth)] = at;
    list.pop_back();
  };
  if (e.wide) {
    take(wide, e.where[0]);
    return;
  }
  // The squares in the order file() visited them: two of them may share a bucket.
  int nth = 0;
  for (long long y = e.squares.y0; y <= e.squares.y1; y++) {
    for (long long x = e.squares.x0; x <= e.squares.x1; x++) {
      take(buckets[bucketOf(x, y)], e.where[static_cast<std::size_t>(nth++)]);
    }
  }
}

void CollisionGrid::refile(std::size_t bucket_count) {
  if (bucket_count == buckets.size()) {
    for (std::vector<Filing>& bucket : buckets) {
      bucket.clear(); // keeping its storage
    }
  } else {
    buckets.assign(bucket_count, std::vector<Filing>());
  }
  wide.clear();
  free_slots.clear();
  for (std::size_t slot = 0; slot < entries.size(); slot++) {
    if (entries[slot].p_o) {
      file(static_cast<int>(slot));
    } else {
      free_slots.push_back(static_cast<int>(slot));
    }
  }
  dead_filings = 0;
}

bool CollisionGrid::query(const Box& box, const Object* p_ignore, ObjectList& result) const {
  const Squares s = squaresOf(box);
  if (!s.isSmall()) {
    return false;
  }
  const std::uint64_t mark = ++next_mark;
  found.clear();
  auto consider = [&](int slot) {
    const auto index = static_cast<std::size_t>(slot);
    if (marks[index] == mark) {
      return;
    }
    marks[index] = mark;
    const Entry& e = entries[index];
    if (e.p_o && e.p_o != p_ignore && e.p_o->isSolid() &&
        boxIntersectsBox(box, getWorldBox(e.p_o))) {
      found.emplace_back(e.order, e.p_o);
    }
  };
  for (long long y = s.y0; y <= s.y1; y++) {
    for (long long x = s.x0; x <= s.x1; x++) {
      for (const Filing& f : buckets[bucketOf(x, y)]) {
        consider(f.slot);
      }
    }
  }
  for (const Filing& f : wide) {
    consider(f.slot);
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& item : found) {
    result.add(item.second);
  }
  return true;
}

} // namespace tw
