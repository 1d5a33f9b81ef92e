#pragma once
// Contacts between two longitudes: which aspect of the options, if any, holds them.
namespace selvane {

// The first active aspect (index 0..8 of AnglesAspects) whose orb holds the
// angle between the two longitudes (radians, any turn), or -1.
int AspectEntre(double longitude1, double longitude2, const bool (&actif)[9], const double (&orbe)[9]);

}  // namespace selvane
