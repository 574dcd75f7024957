#pragma once
// Every text the configuration module shows, in one place. UTF-8; the window
// converts at its edge.

namespace vek::config::text {

inline constexpr const char* kInvalidParameter = "Parâmetro inválido!";
inline constexpr const char* kFaultCaption = "Erro";
inline constexpr const char* kRemoteHeading = "Comandos de configuração remota:";

// Names of the refused field, shown between brackets.
inline constexpr const char* kPing = "PING";
inline constexpr const char* kRs232A = "RS232-A";
inline constexpr const char* kRs232B = "RS232-B";
inline constexpr const char* kAcp = "Aceleração";
inline constexpr const char* kAcn = "Desaceleração";
inline constexpr const char* kVmx = "Velocidade";
inline constexpr const char* kTvmx = "Tempo validação Velocidade";
inline constexpr const char* kVch = "Velocidade na Chuva";
inline constexpr const char* kTvch = "Tempo validação Velocidade na Chuva";
inline constexpr const char* kRpx = "Rotação do Motor";
inline constexpr const char* kTrpx = "Tempo validação Rotação";
inline constexpr const char* kToscWrite = "Tempo osciosidade";   // as the write box spells it
inline constexpr const char* kToscRemote = "Tempo ociosidade";   // as the remote list spells it
inline constexpr const char* kXosc = "Tempo excessão manobra";
inline constexpr const char* kVbgl = "Velocidade min. Banguela";
inline constexpr const char* kRbgl = "Rotação max. Banguela";
inline constexpr const char* kTbgl = "Tempo validação Banguela";

// Names written after a remote command's padding (the first three are the
// field names above).
inline constexpr const char* kRemoteVch = "Velocidade na chuva";
inline constexpr const char* kRemoteRpx = "Rotação do motor";
inline constexpr const char* kRemoteOsc = "Ociosidade do motor";
inline constexpr const char* kRemoteBgl = "Banguela";

}  // namespace vek::config::text
