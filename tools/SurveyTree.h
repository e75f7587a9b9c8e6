// The forms of a source tree, as a survey finds them, and the keys that
// results are kept under.
//
// The tree is only read: regular files only, symbolic links are neither
// followed nor listed (a link could lead out of the tree), and an unreadable
// folder is skipped with a note rather than ending the walk.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One form of a tree. Today every form is a form file of its own; forms held
// inside other files (compiled programs, resource files) will be listed here
// too, with `member` naming the form inside `path`.
struct TreeForm {
  std::string path;    // relative to the tree, with "/" between folders
  std::string member;  // empty: the whole file is the form
  // The name a report shows and a shard is chosen by: path, or path:member.
  std::string Id() const { return member.empty() ? path : path + ":" + member; }
};

// The forms of the tree at root, sorted by Id. Files whose extension is
// ".dfm" in any letter case are forms; their encoding is not checked here.
// Folders that cannot be read are appended to `skipped` with the reason.
// This is the one place that decides what a survey looks at.
std::vector<TreeForm> ListTreeForms(const std::string& root, std::vector<std::string>& skipped);

// The Pascal units of the tree (".pas" in any letter case), relative paths,
// sorted; same file rules as ListTreeForms.
std::vector<std::string> ListTreeUnits(const std::string& root, std::vector<std::string>& skipped);

// 64-bit FNV-1a, continued from `seed`.
uint64_t HashBytes(std::string_view bytes, uint64_t seed = 0xcbf29ce484222325ull);

// The key a form's results are kept under: a hash of its id and content, as
// 16 hex digits. A changed form, or one moved elsewhere in the tree, gets a
// new key; an unchanged one keeps its key from run to run.
std::string FormResultKey(const TreeForm& form, std::string_view content);

// What the files of a tree are now, cheaply: a hash of the path, size and
// modification time of each of the given files (relative to root). A form
// that builds on others (an inherited form, a form holding frames) keeps its
// results under its own key combined with this, so that a change anywhere
// in the project redoes it; touching a file without changing it costs a
// redo, never a stale result.
std::string TreeFilesDigest(const std::string& root, const std::vector<std::string>& files);
// key (from FormResultKey) combined with a digest, in the same form.
std::string CombinedResultKey(std::string_view key, std::string_view digest);

// A shard of a survey: index in 1..count.
struct SurveyShard {
  int index = 1, count = 1;
};
// Parses "K/N" with 1 <= K <= N <= 1000000; false for anything else.
bool ParseShard(std::string_view text, SurveyShard& shard);
// Whether a form belongs to the shard. Decided by the form's id alone, so a
// form stays in its shard when its content changes and the shards of one
// tree split it into disjoint parts that together hold every form.
bool InShard(const TreeForm& form, const SurveyShard& shard);
