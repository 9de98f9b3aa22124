#pragma once

#include <QByteArray>

#include <vector>

namespace vorn {

// Joins RTF documents written by the panes' control into one document in
// which each of them after the first starts on a new page ("\page"). One
// document comes back unchanged. The control writes its font and colour
// tables in the order of first use, so the sheets of one family agree on
// them; documents whose tables differ cannot share one table and are refused
// with UserError "Erreur à l'enregistrement du flux", as is a document of
// another shape.
QByteArray JoinRtfDocuments(const std::vector<QByteArray>& documents);

} // namespace vorn
