#pragma once
// The viewer's review of the worst places of the DEM loaded (analysis/place_review.h): the
// one list it holds and how many places of each kind it lists. The loader starts a new one
// with every DEM.

#include <string>

#include "analysis/place_review.h"

const int defaultReviewedPlaces = 50;

extern ReviewList placeReview;
extern int reviewedPlaces;  // the places of each kind placeReview was taken with

// Takes the first n places of each kind (currentWorstPlaces) into placeReview, keeping its
// decisions (ReviewList::rebuilt).
void takeWorstPlaces(int n);

// Writes placeReview with its decisions to path as a places file in mt's coordinate system
// and marks them exported; false with writePlaceFile's reason, the list unchanged.
// Refusing to write over an input is the caller's.
bool exportPlaceReview(const std::string& path, std::string& why);

// Restores the decisions a places file at path holds for places of placeReview; false
// with readPlaceFile's reason, the list unchanged.
bool importPlaceReview(const std::string& path, ReviewImport& imported, std::string& why);

// An empty list of defaultReviewedPlaces places; the module's reset.
void resetPlaceReview();
