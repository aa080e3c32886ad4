#pragma once
// The review of the worst places: each place with the user's decision (a status and a
// note), exported to a places file and imported from one. The window that shows it is
// built on top; this holds no widget.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/worst_places.h"
#include "model/gdal_module.h"

enum class ReviewStatus { unreviewed, confirmed, dismissed };

// "unreviewed", "confirmed", "dismissed", as the places file writes them.
const char* reviewStatusName(ReviewStatus status);
std::optional<ReviewStatus> reviewStatusNamed(const std::string& name);

struct ReviewEntry {
    Place place;
    ReviewStatus status = ReviewStatus::unreviewed;
    std::string note;
};

// What an import did with the records of a file.
struct ReviewImport {
    int restored = 0;       // records whose place is in the list: its status and note taken
    int unknownPlaces = 0;  // records that name no place of the list (kind, row and col)
    int noStatus = 0;       // records whose status is missing or no status name
};

// A decision is unexported while a place's status or note differs from what the last
// export wrote or the last import read for it (unreviewed with no note before either).
class ReviewList {
public:
    ReviewList() = default;
    // Every place unreviewed, with no note; places of both kinds may be listed.
    explicit ReviewList(const std::vector<Place>& places);

    const std::vector<ReviewEntry>& entries() const { return list; }
    void setStatus(std::size_t entry, ReviewStatus status) { list.at(entry).status = status; }
    void setNote(std::size_t entry, const std::string& note) { list.at(entry).note = note; }
    bool hasUnexportedDecisions() const;

    // The file an export writes: every place with its status and note, in list order.
    PlaceFile exportFile(const std::string& projection) const;
    // Call when exportFile's file has been written whole.
    void markExported();
    // Takes status and note from every record that names a place of the list by kind, row
    // and col (a later record for the same place wins); the places it names then hold no
    // unexported decision. Other places keep theirs.
    ReviewImport importDecisions(const PlaceFile& file);
    // A list of places (figures taken anew, more or fewer of them) that keeps this one's
    // decisions: a place of both lists (kind, row and col) takes its status, note and what
    // was last exported for it; a place of this list that holds a decision (a status, a
    // note, or one exported) and is not in places follows them with its old figures, so
    // that no decision goes with a shorter list.
    ReviewList rebuilt(const std::vector<Place>& places) const;

private:
    struct Decision {
        ReviewStatus status = ReviewStatus::unreviewed;
        std::string note;
    };
    std::vector<ReviewEntry> list;
    std::vector<Decision> saved;  // per entry, as last exported or imported
};
