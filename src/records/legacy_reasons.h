#pragma once
// Runs stored before failures were kept as kinds hold only a sentence, in
// the language of the station that wrote it. These are the sentences the
// stations wrote, in both languages, each with where its values sit; the
// schema's step to version 4 reads each stored sentence through them once.

#include <QString>

#include "words/failure.h"

namespace vek::records {

// The kind and values of a stored sentence; "other" with the sentence as its
// text when it matches none of them.
words::Failure failureOfSentence(const QString& sentence);

}  // namespace vek::records
