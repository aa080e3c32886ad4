#include "analysis/place_review.h"

#include <map>
#include <tuple>

#include "analysis/place_records.h"

namespace {

const char* const statusNames[] = {"unreviewed", "confirmed", "dismissed"};

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
    std::map<std::tuple<std::string, int, int>, std::size_t> byPlace;
    for (std::size_t i = 0; i < list.size(); i++)
        byPlace[{placeKindName(list[i].place.kind), list[i].place.row, list[i].place.col}] = i;
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
