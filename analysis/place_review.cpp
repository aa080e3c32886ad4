#include "analysis/place_review.h"

#include <map>
#include <tuple>

#include "analysis/place_records.h"

namespace {

const char* const statusNames[] = {"unreviewed", "confirmed", "dismissed"};

using PlaceKey = std::tuple<std::string, int, int>;

PlaceKey keyOf(const Place& p) { return {placeKindName(p.kind), p.row, p.col}; }

}  // namespace

const char* reviewStatusName(ReviewStatus status) { return statusNames[static_cast<int>(status)]; }

std::optional<ReviewStatus> reviewStatusNamed(const std::string& name)
{
    for (int s = 0; s < 3; s++)
        if (name == statusNames[s])
            return static_cast<ReviewStatus>(s);
    return std::nullopt;
}

ReviewList::ReviewList(const std::vector<Place>& places) : saved(places.size())
{
    for (const Place& p : places)
        list.push_back({p, ReviewStatus::unreviewed, ""});
}

bool ReviewList::hasUnexportedDecisions() const
{
    for (std::size_t i = 0; i < list.size(); i++)
        if (list[i].status != saved[i].status || list[i].note != saved[i].note)
            return true;
    return false;
}

PlaceFile ReviewList::exportFile(const std::string& projection) const
{
    PlaceFile file;
    file.projection = projection;
    file.review = true;
    for (const ReviewEntry& e : list) {
        file.records.push_back(placeRecord(e.place));
        file.records.back().status = reviewStatusName(e.status);
        file.records.back().note = e.note;
    }
    return file;
}

void ReviewList::markExported()
{
    for (std::size_t i = 0; i < list.size(); i++)
        saved[i] = {list[i].status, list[i].note};
}

ReviewImport ReviewList::importDecisions(const PlaceFile& file)
{
    std::map<PlaceKey, std::size_t> byPlace;
    for (std::size_t i = 0; i < list.size(); i++)
        byPlace[keyOf(list[i].place)] = i;
    ReviewImport result;
    for (const PlaceRecord& r : file.records) {
        const auto entry = byPlace.find({r.kind, r.row, r.col});
        const std::optional<ReviewStatus> status = reviewStatusNamed(r.status);
        if (entry == byPlace.end()) {
            result.unknownPlaces++;
        } else if (!status) {
            result.noStatus++;
        } else {
            list[entry->second].status = *status;
            list[entry->second].note = r.note;
            saved[entry->second] = {*status, r.note};
            result.restored++;
        }
    }
    return result;
}

ReviewList ReviewList::rebuilt(const std::vector<Place>& places) const
{
    std::map<PlaceKey, std::size_t> byPlace;
    for (std::size_t i = 0; i < list.size(); i++)
        byPlace[keyOf(list[i].place)] = i;
    ReviewList out(places);
    for (std::size_t i = 0; i < places.size(); i++) {
        const auto earlier = byPlace.find(keyOf(places[i]));
        if (earlier == byPlace.end())
            continue;
        out.list[i].status = list[earlier->second].status;
        out.list[i].note = list[earlier->second].note;
        out.saved[i] = saved[earlier->second];
        byPlace.erase(earlier);
    }
    const Decision none;
    for (std::size_t i = 0; i < list.size(); i++) {
        const bool decided = list[i].status != none.status || !list[i].note.empty() ||
                             saved[i].status != none.status || !saved[i].note.empty();
        if (decided && byPlace.count(keyOf(list[i].place)) == 1) {
            out.list.push_back(list[i]);
            out.saved.push_back(saved[i]);
        }
    }
    return out;
}
