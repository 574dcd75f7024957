#pragma once
// What the production station says, in one place (UTF-8, Portuguese).

namespace vek::station::texts {

// Steps of a unit's run.
inline constexpr const char* kStepWaiting = "aguardando Vek";
inline constexpr const char* kStepNoAnswer = "nenhum Vek responde";
inline constexpr const char* kStepFirmware = "atualizando firmware";
inline constexpr const char* kStepRestarting = "reiniciando";
inline constexpr const char* kStepWriting = "gravando configuração";
inline constexpr const char* kStepVerifying = "conferindo";
inline constexpr const char* kStepPassed = "concluído";
inline constexpr const char* kStepFailed = "falhou";
inline constexpr const char* kStepInterrupted = "interrompido";

// Reasons a run fails.
inline constexpr const char* kOperationMode = "o Vek está em modo de operação";
inline constexpr const char* kDiscontinued = "versão de Vek descontinuada (tipo %1)";
inline constexpr const char* kUnknownType = "tipo de Vek desconhecido (%1)";
inline constexpr const char* kUnplugged = "o Vek foi desconectado durante: %1";
inline constexpr const char* kNoReturn = "o Vek não voltou a se identificar depois do novo firmware";
inline constexpr const char* kNotRecorded = "o registro não pôde ser gravado, o Vek não foi alterado: %1";
inline constexpr const char* kStopped = "estação encerrada pelo operador";

}  // namespace vek::station::texts
