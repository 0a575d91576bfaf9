// The statistics module's entry point.
#include "statistics/StatisticsModule.h"
#include "statistics/frmStatistik.h"

extern "C" Q_DECL_EXPORT void quendal_show_statistics(const Database& db,
                                                      const Settings& settings) {
    frmStatistik statistik(db, settings);
    statistik.showModal();
}

// The module's own type must match what the program calls.
static_assert(std::is_same_v<decltype(&quendal_show_statistics), ShowStatistics>);
