// Subcommands of tessaly-tool for a whole source tree:
//   survey DIR -o OUT [-j N] [--shard K/N] [--time-limit S] [--memory-limit MB]
//   census DIR [--csv]
//   survey-merge -o OUT SHARD_OUT...
// survey keeps every form's results in OUT (see SurveyReport.h), redoing
// only forms whose content changed since the last run into OUT and pruning
// the results of forms no longer there; census prints the class table
// alone, without previews; survey-merge joins the outputs of shards.
#pragma once

#include <string>
#include <vector>

int RunSurveyCommand(const std::vector<std::string>& args);
int RunCensusCommand(const std::vector<std::string>& args);
int RunSurveyMergeCommand(const std::vector<std::string>& args);
