#include "analysis/current_review.h"

#include <vector>

#include "analysis/current_places.h"
#include "model/mountain.h"
#include "model/place_file.h"

ReviewList placeReview;
int reviewedPlaces = defaultReviewedPlaces;

void takeWorstPlaces(int n)
{
    std::vector<Place> places = currentWorstPlaces(PlaceKind::curvature, n);
    const std::vector<Place> difference = currentWorstPlaces(PlaceKind::difference, n);
    places.insert(places.end(), difference.begin(), difference.end());
    placeReview = placeReview.rebuilt(places);
    reviewedPlaces = n;
}

bool exportPlaceReview(const std::string& path, std::string& why)
{
    if (!writePlaceFile(path, placeReview.exportFile(mt.projection), why))
        return false;
    placeReview.markExported();
    return true;
}

bool importPlaceReview(const std::string& path, ReviewImport& imported, std::string& why)
{
    PlaceFile file;
    if (!readPlaceFile(path, file, why))
        return false;
    imported = placeReview.importDecisions(file);
    return true;
}

void resetPlaceReview()
{
    placeReview = ReviewList();
    reviewedPlaces = defaultReviewedPlaces;
}
