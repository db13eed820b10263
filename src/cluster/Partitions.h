// Groups of sampling units: counting the distinct groups of a membership
// vector, and cutting a fusion history into a partition of g groups.
#pragma once
#include "cluster/ClusterReport.h"

// Number of distinct values of memb[0..n-1] into *nGroups and, unless labels
// is null, the distinct values in ascending order into labels (room for n).
void CountGroups(int n, int* memb, int* nGroups, int* labels);
void CountGroupsNew(int n, int* memb, int* nGroups, int* labels);

// Renumbers the positive labels of part[0..n-1] to 1..g keeping their order.
void RenamePartitionLabels(int n, int g, int* part);

// Partition of the n objects of a fusion history into g groups (2 <= g <= n):
// part[i] = group (1..g) of object i + 1, groups numbered in the order of
// their smallest object; *level = level of the last fusion applied (0 when
// g = n). Ward's history (method 3) is taken in ascending order of level.
void GetClusterPartitionLevel(int n, int g, int* part, double* level, clusterReport* rep, int method);
void GetClusterPartitionNew(int n, int g, int* part, clusterReport* rep, int method);

// The same in two steps, for callers that need every partition of one
// history: order[0..n-2] = the records in the order they are applied, then
// the partition for each g from that order.
void ClusterFusionOrder(int n, const clusterReport* rep, int method, int* order);
void ClusterPartitionFromOrder(int n, int g, int* part, double* level, const clusterReport* rep, const int* order);
// The same without allocating, for callers that cut many histories: work
// holds n ints.
void ClusterPartitionFromOrder(int n, int g, int* part, double* level, const clusterReport* rep, const int* order,
                               int* work);
