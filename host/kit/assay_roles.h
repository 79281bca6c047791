// The role texts of the host's assays. A file's role is the text of its passport field
// "Chrm_Type"; the plug-in reads its own (Russian) role texts under every interface
// language and the translated ones only under their own, so the host writes the Russian
// text ("#холостая") into the files it stores and recognises either language's text
// ("#blank") in the files and rows it meets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace p528::hostkit {

// The role (1..6, ChrmRole) a role text names in either language, letter case ignored;
// 0 for a text that names none.
int RoleOfText(std::string_view text);
// The text the host writes for `role` (the plug-in's own); "" for a role outside 1..6.
std::string StoredRoleText(int role);
// Every text that names `role` in the database (the plug-in's own and the translated one).
std::vector<std::string> RoleTextsOf(int role);

}  // namespace p528::hostkit
