#pragma once
// The one place a failure becomes words: its cause, what a person does next,
// and, where the window has always shown one, its box. Every view (the
// window's status line, the command line's message, the station's row, the
// records' summaries) words a failure here, in the chosen language.

#include <QString>
#include <optional>

#include "session/outcome.h"
#include "words/failure.h"

namespace vek::words {

// Who reads the words: a few next steps name the command line's options,
// where a person at the window does something else.
enum class Reader { Person, CommandLine };

// What went wrong, as a phrase that follows "Falhou: " or a station row's
// port; every value of the failure is in it.
QString cause(const Failure& failure);
// What a person does now ("o Vek ficou no carregador: conecte de novo para
// gravar o firmware"); empty for a kind that leaves nothing to do.
QString nextStep(const Failure& failure, Reader reader = Reader::Person);
// A cause of failure in a few words, for rankings that count units by kind
// ("Vek desconectado no meio do trabalho"); `reason` stands for a cause that
// is only a sentence (kind "other", or none).
QString title(const QString& kind, const QString& reason = {});

// The failure without the link's counters, for a line with little room
// (the status line; the Log beside it has them).
Failure withoutCounters(Failure failure);

// The cause, then the next step when there is one.
QString sentence(const Failure& failure, Reader reader = Reader::Person);

// The box the window has always shown for a failure, word for word: a
// refused field ("Erro" / "Parâmetro inválido!…"), and a transfer or read
// that failed ("ERRO #0x01" to "ERRO #0x04", the counters' box).
enum class BoxIcon { None, Warning };
struct Box {
    QString text;
    QString caption;
    BoxIcon icon = BoxIcon::None;
};
std::optional<Box> box(const session::Outcome& outcome);

// The operation, as it reads after "durante" ("a gravação da configuração").
QString during(session::Operation operation);

}  // namespace vek::words
