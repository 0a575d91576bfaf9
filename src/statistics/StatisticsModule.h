#pragma once

class Database;
struct Settings;

// The statistics windows need the chart and print libraries: they live in the module
// quendal_statistics.so in the program folder (see platform/ProgramModule.h), whose one exported
// function opens the statistics hub modally and returns when it is closed.
using ShowStatistics = void (*)(const Database& db, const Settings& settings);
#define QUENDAL_STATISTICS_ENTRY "quendal_show_statistics"
