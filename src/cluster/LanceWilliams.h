// Resemblance between a newly fused group a+b and a third group k, from the
// resemblances of its two parts to k (the updates of the linkage and
// sum-of-squares methods). Shared by the fusion routines so that every route
// computes each value with the same operations in the same order.
#pragma once
#include "cluster/ClusterMethods.h"

namespace clusterwork {

// Methods 1, 2, 4 and 5: wka, wkb are the resemblances of k to a and to b,
// na, nb the sizes of a and b.
inline double LinkageUpdate(int method, bool isDissim, double na, double nb, double wka, double wkb) {
  switch (method) {
    case kSingleLinkage:
      return isDissim ? (wkb < wka ? wkb : wka) : (wkb > wka ? wkb : wka);
    case kCompleteLinkage:
      return isDissim ? (wkb > wka ? wkb : wka) : (wkb < wka ? wkb : wka);
    case kUPGMA:
      return (na * wka + nb * wkb) / (na + nb);
    case kWPGMA:
      return (wka + wkb) / 2.0;
    default:
      return wka;
  }
}

// Squared distance between the centroid of a+b and that of k, from the
// squared centroid distances wka, wkb and wab.
struct WardUpdate {
  WardUpdate(double na, double nb, double wab, bool isDissim)
      : alphaA(na / (na + nb)),
        alphaB(nb / (na + nb)),
        last(isDissim ? Beta(na, nb) * wab : -Beta(na, nb) * (1.0 - wab)) {}
  double operator()(double wka, double wkb) const { return alphaA * wka + alphaB * wkb + last; }
  static double Beta(double na, double nb) { return -na * nb / ((na + nb) * (na + nb)); }
  double alphaA, alphaB, last;
};

// Increase of the within-group sum of squares when groups of na and nb
// objects whose centroids lie at squared distance w fuse.
inline double WardIncrease(double na, double nb, double w) { return na * nb * w / (na + nb); }

}  // namespace clusterwork
