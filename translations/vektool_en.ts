<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pt_BR">
<context>
    <name>MainWindow</name>
    <message>
        <source>VekTool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> CONFIGURAÇÕES </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PING [s]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>envio #VEK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS232-A:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rastreador</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS232-B:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>periférico</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> VELOCIDADE </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velocidade máxima permitida [km/h]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>120</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo validação [segundos]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REGISTRAR EVENTO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entrada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saída</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ALERTA BUZZER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Durante</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> VELOCIDADE NA CHUVA </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>90</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ROTAÇÃO DO MOTOR </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotação máxima permitida [rpm]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4500</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> CONDUÇÃO DESENGRENADA (banguela) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velocidade mínima validação [km/h]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>40</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotação máxima validação [rpm]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>900</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> OCIOSIDADE DO MOTOR (funcionando parado) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo máximo permitido para
ociosidade do motor [minutos]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo de exceção para
manobras rápidas [segundos]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ACELERAÇÃO (aceleração brusca) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aceleração máxima permitida [km/h.s]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> DESACELERAÇÃO (frenagem brusca) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desaceleração máxima permitida [km/h.s]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CONFIGURAR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>preencher valores padrão</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>listar comandos de configuração remota</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Norvale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forçar configuração Norvale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fechar após configurar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> LISTA DE IDS </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limpar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> USB × QR CODE </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QR code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FwUpload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FwJump</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GetConfig</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> CONDUÇÃO EM FREIO MOTOR </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velocidade:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotação:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ENTRADA </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registrar Evento</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alerta Buzzer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> SAÍDA </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>app</name>
    <message>
        <source>Conectar à porta selecionada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desconectar a porta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O VekTool está atualizado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Há uma nova versão do aplicativo VekTool disponível<byte value="xd"/>
gostaria de fazer o download agora?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Atualização VekTool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clique aqui para atualizar o VekTool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Atualizando o firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gravando a configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lendo a configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conferindo a configuração gravada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 % · bloco %3 de %4 · %5 blocos/s · %6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>faltam %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>calculando o tempo restante</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware atualizado: o Vek voltou com a versão %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware atualizado para a versão %1 e configuração lida.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuração lida.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuração gravada.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuração gravada e conferida.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Falhou: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nenhum Vek respondeu na porta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A atualização do firmware foi interrompida! Reconecte o Vek: a atualização recomeça do início.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A gravação da configuração foi interrompida! Reconecte o Vek e grave novamente.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A leitura da configuração foi interrompida! Reconecte o Vek para ler novamente.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível ler de volta a configuração gravada: a gravação não está confirmada! Grave novamente.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek está em modo de operação</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>este tipo de Vek (%1) não é atendido por esta ferramenta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>este tipo de Vek (%1) não recebe o firmware desta ferramenta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek precisa de novo firmware antes de ser configurado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek voltou com a versão %1: o novo firmware não foi aceito</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek não voltou a se identificar depois do novo firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>outro Vek voltou na porta (Id: %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a configuração guardada no Vek é inválida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parâmetro inválido! [%1]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A configuração lida de volta difere da gravada a partir do byte %1 (gravado 0x%2, lido 0x%3)! Grave novamente.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a operação foi interrompida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (×%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Salvar o log em arquivo...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Salvar o log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Texto (*.txt);;Todos os arquivos (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível gravar o arquivo %1:<byte value="xd"/>
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Arquivo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Abrir configuração...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Salvar configuração...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Comparar com arquivo...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abrir pasta de &amp;dados</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sai&amp;r</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Unidade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restaurar cópia...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abrir pasta de &amp;cópias</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A&amp;juda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sobre o VekTool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
Manutenção e configuração do Vek pela porta USB.<byte value="xd"/>
Linha de comando: vektool-cli --help. Manual: man vektool.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuração do Vek (*.json);;Todos os arquivos (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abrir configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Salvar configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível ler o arquivo %1:<byte value="xd"/>
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O arquivo %1 é grande demais para uma configuração (mais de 1 MB): nada foi carregado.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O arquivo %1 não foi carregado, nada mudou no formulário:<byte value="xd"/>
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A cópia %1 guarda uma configuração inválida: ela não cabe no formulário, mas pode ser gravada no Vek (Unidade &gt; Restaurar cópia).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuração carregada no formulário: %1 (grave com CONFIGURAR)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comparar com arquivo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Formulário</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arquivo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Campo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nenhuma diferença: o arquivo tem a mesma configuração que o %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%2 campo(s) diferem entre o %1 e o arquivo:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carregar o arquivo no formulário</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fechar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cópia da configuração do Vek guardada em %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A cópia da configuração do Vek não foi guardada: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cópia carregada no formulário: %1 (grave com CONFIGURAR)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restaurar cópia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nenhuma cópia guardada ainda.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cópias de todos os Vek (conecte um Vek para ver só as dele):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cópias do Vek %1, da mais nova à mais antiga:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quando</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diferenças</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>inválida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carregar no formulário</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gravar no Vek...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gravar no Vek %2 a cópia de %1, byte a byte, e conferir lendo de volta?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
Atenção: esta cópia é de outro Vek (%1), não do conectado (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a pasta não pôde ser criada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível gravar o registro diário em %1: %2. O log desta janela continua normalmente.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exportar a lista em CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exportar a lista de IDs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV (*.csv);;Todos os arquivos (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Porta serial</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log de mensagens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Andamento da operação</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progresso da operação</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lista de IDs identificados</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quantidade de IDs na lista</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID lido pela USB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID lido do QR code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comparação entre USB e QR code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estação de produção...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abrir a estação de produção: vários Vek ao mesmo tempo, cada um registrado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VekTool — Estação de produção</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuração a gravar:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Padrão</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Norvale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arquivo...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Escolher arquivo de configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuração VekTool (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Iniciar estação</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parar estação</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Porta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identificador</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Etapa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progresso</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resultado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Etiqueta QR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FALHOU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INTERROMPIDO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Etiqueta %1 não corresponde a nenhum Vek da estação!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Etiqueta %1 registrada em %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conecte os Vek: cada porta começa sozinha.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Concluídos: %1   Falharam: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registros: nenhum — nada desta estação é registrado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A estação não começa sem registros. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uso: vektool [--station]

Janela de manutenção do Vek, a unidade de telemetria veicular: identifica o Vek
pela porta serial virtual do cabo USB, atualiza o firmware quando preciso, lê a
configuração para um formulário, valida e grava de volta.

Opções:
  --station     abre só a estação de produção: vários Vek ao mesmo tempo, cada
                um gravado com a configuração escolhida e registrado
  -h, --help    mostra esta ajuda
  --version     mostra a versão

Arquivos:
  %1/logs/vektool-AAAA-MM-DD.log
                o log de cada dia, com a hora e a porta de cada linha
  %2
                as preferências da janela
  %1/records.sqlite
                os registros da produção
  %1/backups/&lt;identificador&gt;/
                um arquivo JSON para cada conteúdo diferente que o Vek guardava
                antes de a ferramenta alterá-lo

Sem janela, para scripts e linhas de produção: &apos;vektool-cli --help&apos;.
Manual: &apos;man vektool&apos;.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>opção desconhecida: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>falta o valor de %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use &apos;vektool --help&apos; para ver as opções.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nenhuma tela encontrada (DISPLAY não está definido): rode o vektool numa área de trabalho, ou sob o Xvfb: xvfb-run -a vektool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abrir pasta do log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O Vek foi detectado em modo de operação!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1-Desconectar todos os chicotes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2-Conectar apenas o cabo USB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3-Aguardar o Windows criar a porta (5 segundos)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4-Rodar o VekTool e abrir a porta COM criada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3-Aguardar o sistema criar a porta (5 segundos)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4-Abrir no VekTool a porta criada (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erro na porta serial: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não foi possível abrir a porta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não foi possível escrever na porta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não foi possível ler da porta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não foi possível preparar a porta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>falha de código %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source><byte value="xd"/>
O sistema informou: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erro inesperado: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erro inesperado, sem descrição.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message>
        <source>Uso: vektool-cli &lt;comando&gt; [opções]

Comandos:
  ports [--json]                         lista as portas seriais
  identify --port P [--json]             identifica o Vek na porta P
  read --port P [--output ARQ] [--json]  lê a configuração do Vek (JSON)
  diff --port P --file ARQ [--json]      compara, campo a campo, o Vek com um arquivo
  validate --file ARQ [--json]           confere um arquivo de configuração
  write --port P (--file ARQ | --preset default|norvale) [--dry-run] [--no-verify] [--json]
                                         guarda uma cópia, grava uma configuração e a confere
  flash --port P [--force] [--json]      atualiza o firmware quando preciso
  backups [--unit ID] [--json]           lista as cópias do que cada Vek guardava
  restore --port P --backup ARQ [--yes] [--json]
                                         grava de volta uma cópia e a confere
  remote (--port P | --file ARQ) [--json]
                                         lista os comandos de configuração remota
  station (--preset NOME | --file ARQ) [--ports P1,P2,… | --all] [--db URL] [--count N]
                                         estação de produção: vários Vek ao mesmo tempo
  records [--db URL] [--since DATA] [--csv]
                                         lista os registros da produção

P é o nome que &apos;ports&apos; mostra (ttyACM0, COM3) ou o caminho do dispositivo.
Fora station e records, todo comando aceita --quiet (só erros e avisos).
Resultados vão para a saída padrão; andamento e mensagens, para a saída de erro.
Durante write, flash e restore, o primeiro Ctrl+C deixa o trabalho terminar;
o segundo interrompe (código 130).
&apos;vektool-cli &lt;comando&gt; --help&apos; explica cada comando; --version diz a versão.

Códigos de saída: 0 sucesso; 1 o Vek recusou, falhou ou a conferência diferiu (cada caso
com sua mensagem; com --json, &quot;outcome&quot; diz qual), ou diff achou diferenças;
2 uso ou arquivo inválido; 3 a porta não abriu; 4 nenhum Vek respondeu em 3 s;
5 diff não conseguiu ler a configuração do Vek; 130 interrompido por um segundo Ctrl+C.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uso: vektool-cli %1 [opções]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opções:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>opção desconhecida: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>falta o valor de %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 não leva valor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>argumento inesperado: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;vektool-cli %1 --help&apos; mostra as opções
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>comando desconhecido: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>falta --port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>use --file ARQ ou --preset default|norvale (um dos dois)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>configuração pronta desconhecida: %1 (use default ou norvale)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>use --port P ou --file ARQ (um dos dois)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não foi possível ler %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 passa de 1 MB: não é um arquivo de configuração (uma configuração tem poucos kB); nada foi carregado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: configuração válida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>falta --file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>falta --backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--dry-run não combina com --no-verify: nada é gravado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não foi possível gravar %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>… (%1 bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>use --ports P1,P2,… ou --all (um dos dois)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--count pede um número inteiro: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nenhuma porta serial encontrada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nenhum Vek respondeu na porta %1 em 3 s: confira se é a porta certa e se o cabo USB está bem conectado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek na porta %1 está em modo de operação: desconecte os chicotes, deixe só o cabo USB e tente de novo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a porta %1 foi fechada: o Vek foi desconectado?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a porta %1 foi fechada durante %2: o Vek foi desconectado? (Nacks %3, Code10 %4, Code15 %5, Code20 %6)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 não foi concluída: o Vek parou de responder ou recusou os blocos (Nacks %2, Code10 %3, Code15 %4, Code20 %5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Este tipo de Vek (%1) não é atendido por esta ferramenta.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek do tipo %1 está descontinuado e não recebe este firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aviso: o Vek do tipo %1 está descontinuado; fale com o fabricante para mais informações</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek precisa de novo firmware antes de ser configurado: rode &apos;vektool-cli flash&apos; primeiro; nada foi gravado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek voltou com a versão %1: o novo firmware não foi aceito</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>outro Vek voltou na porta (id %1) no lugar do que recebeu o firmware (id %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek não voltou a se identificar depois do novo firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a configuração guardada no Vek é inválida; nada foi alterado (grave uma com &apos;write&apos;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>configuração recusada no campo %1; nada foi enviado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a configuração lida de volta difere da gravada a partir do byte %1 (gravado 0x%2, lido 0x%3): grave novamente</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a operação foi interrompida antes do fim</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek já está com o firmware atual (%1); nada foi alterado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>firmware atualizado: %1 → %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>configuração gravada e conferida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>configuração gravada (sem conferência)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>configuração salva em %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a atualização do firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a gravação da configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a leitura da configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a conferência da configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a identificação</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>versão: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>id: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tipo: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>atualização de firmware: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>necessária</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não necessária</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 [%2]: Vek %3, arquivo %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek tem exatamente a configuração de %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 campo(s) diferem de %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não foi possível ler a configuração do Vek: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 [%2]: %3 → %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>um write gravaria %1 campo(s); nada foi gravado (--dry-run)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek já tem esta configuração: um write não mudaria nenhum campo; nada foi gravado (--dry-run)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a configuração guardada no Vek é inválida: um write a substituiria inteira; nada foi gravado (--dry-run)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cópia do que o Vek guardava: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cópia do que o Vek guardava (igual a uma já guardada): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aviso: a cópia do que o Vek guardava não foi guardada: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nenhuma cópia em %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nenhuma cópia do Vek %1 em %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--unit pede o identificador do Vek: 24 dígitos hexadecimais (ou três grupos de 8): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1  %2  %3  %4  %5 bytes  %6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>válida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>inválida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gravar no Vek da porta %1 a cópia de %2 (Vek %3, tirada em %4)? O que o Vek guarda agora será substituído (uma cópia dele é guardada antes). [s/N] </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>restore substitui a configuração do Vek: confirme com --yes (a entrada não é um terminal para perguntar)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nada foi gravado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aviso: a cópia é do Vek %1, mas o Vek na porta é o %2; gravando assim mesmo (uma unidade de reposição?)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cópia gravada no Vek e conferida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cópia gravada no Vek (sem conferência)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+C: o trabalho no Vek vai até o fim, para não deixá-lo pela metade (um firmware nunca é cortado no meio de propósito); Ctrl+C de novo interrompe agora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrompido no meio do firmware: o Vek fica no carregador, sem firmware que funcione; rode &apos;vektool-cli flash --port %1&apos; de novo para terminar a atualização</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrompido com o firmware já enviado, enquanto o Vek reiniciava: confira com &apos;vektool-cli identify --port %1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrompido no meio da gravação: a configuração do Vek ficou pela metade; grave de novo com &apos;vektool-cli write --port %1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ou restaure a cópia: &apos;vektool-cli restore --port %1 --backup %2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrompido no meio da gravação: a configuração do Vek ficou pela metade; grave a cópia de novo com &apos;vektool-cli restore --port %1 --backup %2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrompido na conferência: a configuração foi gravada mas não conferida; confira com &apos;vektool-cli diff --port %1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrompido antes de qualquer alteração: o Vek ficou como estava</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>atualizando firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gravando configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lendo configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>conferindo configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>blocos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>restam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kB/s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <source>Parâmetro inválido!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comandos de configuração remota:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PING</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS232-A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS232-B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aceleração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desaceleração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velocidade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo validação Velocidade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velocidade na Chuva</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo validação Velocidade na Chuva</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotação do Motor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo validação Rotação</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo osciosidade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo ociosidade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo excessão manobra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velocidade min. Banguela</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotação max. Banguela</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo validação Banguela</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velocidade na chuva</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotação do motor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ociosidade do motor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Banguela</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>linha %s: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>campo &quot;%s&quot;: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o arquivo está vazio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o texto acaba antes do fim do documento</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>caractere inesperado %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>esperava uma chave entre aspas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>falta &apos;:&apos; depois da chave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>falta &apos;,&apos; ou &apos;}&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>falta &apos;,&apos; ou &apos;]&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>número malformado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sequência de escape inválida no texto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>caractere de controle dentro do texto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o texto não é UTF-8 válido</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>há texto depois do fim do documento</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>objetos aninhados fundo demais</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>chave repetida (já aparece na linha %s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>chave desconhecida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>falta esta chave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>deve ser um objeto { ... }</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>deve ser true ou false</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>deve ser um número inteiro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>deve ser um texto entre aspas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%s&quot; não é uma configuração do VekTool; esperava &quot;%s&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a versão %s é mais nova que a %s, que esta ferramenta lê</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s não é uma versão conhecida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s não é um de %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;during&quot; (Durante) não pode estar marcado junto com &quot;entry&quot; (Entrada) ou &quot;exit&quot; (Saída)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permitido: %s a %s %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PING (s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS232-A (baud)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS232-B (baud)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s: registrar evento</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s: alerta buzzer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s: registrar na entrada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s: registrar na saída</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s: buzzer na entrada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s: buzzer na saída</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s: buzzer durante</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sim</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(vazio)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>protocol</name>
    <message>
        <source>Destino inválido!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Essa versão do vek está descontinuada, entre em contato com a Marovec para mais informações!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O Vek está atualizado!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>records</name>
    <message>
        <source>O endereço do banco de registros não pode conter senha: %1. Informe a senha na variável PGPASSWORD ou no arquivo ~/.pgpass.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Endereço do banco de registros inválido: %1. Use postgresql://usuário@servidor:porta/banco.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opção &quot;%1&quot; não aceita no endereço do banco de registros %2 (só sslmode=disable, allow, prefer, require, verify-ca ou verify-full).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O driver %1 do Qt não está instalado; o banco %2 não pode ser aberto.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O banco de registros não está aberto.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível criar a pasta %1 do banco local de registros.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível abrir o banco de registros %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O banco de registros %1 está na versão %2 do esquema, mais nova que a desta ferramenta (%3). Atualize o VekTool; nada foi gravado no banco.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O banco %1 tem uma tabela runs sem versão de esquema: não é um banco de registros do VekTool. Nada foi gravado no banco.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível ler a versão do esquema do banco %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível preparar o esquema do banco %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Banco compartilhado %1 inacessível (%2). Os registros ficam no banco local %3 até a reconexão.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Banco compartilhado %1 inacessível; a lista não pode ser lida (%2 execuções aguardam envio).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identificador de execução inválido: &quot;%1&quot; (esperado um UUID).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A execução %1 já existe.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Execução %1 desconhecida ou já terminada; nada foi alterado.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uma execução só termina aprovada, reprovada ou interrompida.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A configuração gravada não é um JSON válido (%1, posição %2); nada foi alterado.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível gravar a execução %1 (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível criar a trava da estação %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a pasta não aceita gravação</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O banco %1 tem uma linha ilegível na execução %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível ler o banco de registros %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interrompida: a estação parou antes do fim da execução.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>records_query</name>
    <message>
        <source>SQLite (local) %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PostgreSQL %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ainda não há registros neste computador: o arquivo %1 não existe. Ele é criado pela estação de produção.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O banco %1 não tem a tabela de execuções: não é um banco de registros do VekTool.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível abrir o banco de registros %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível consultar o banco de registros %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O banco de registros não está aberto.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O driver %1 do Qt não está instalado; o banco %2 não pode ser aberto.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>records_viewer</name>
    <message>
        <source>Registros de produção — VekTool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registros: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Consultando os registros…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Consultando os registros… o banco ainda não respondeu; a janela continua disponível.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Atualizado às %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--db só vale com --records (o endereço do banco que os registros mostram).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Período:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hoje</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Últimos 7 dias</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Últimos 30 dias</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Personalizado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>de</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>até</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resultado:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Todos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unidade contém:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>parte do identificador</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estação:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Todas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Atualizar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aprovada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reprovada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrompida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrompido</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>em andamento</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aprovadas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reprovadas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interrompidas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Em andamento</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rendimento hoje: %1 % — %2 aprovadas, %3 reprovadas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rendimento hoje: nenhuma unidade concluída ainda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No período: %1 unidades — %2 aprovadas, %3 reprovadas, %4 interrompidas, %5 em andamento (cada unidade contada uma vez, pelo último resultado).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unidades por hora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unidades por dia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Motivos de reprovação</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nenhuma reprovação no período</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unidades</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(sem motivo informado)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Início</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unidade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resultado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Motivo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estação</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Porta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 de %2 execuções.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mostrar mais</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Campo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selecione uma execução na tabela para ver os detalhes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Execução</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fim</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tipo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware (antes → depois)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware da estação</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leitura de volta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>igual ao gravado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>diferente do gravado a partir do byte %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não feita</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Etiqueta QR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (confere com o USB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (NÃO confere com o USB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não lida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrompido (a estação parou sem terminar a execução)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Origem da configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SHA-256 da configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuração anterior do Vek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>guardada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não guardada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuração gravada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nenhuma (a execução não chegou a gravar)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ilegível no registro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>—</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>session</name>
    <message>
        <source>Leitura da configuração interna concluída!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuração inválida!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preparando configuração Norvale...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preparando configuração padrão...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuração conferida: o Vek guardou exatamente o que foi gravado.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A configuração lida de volta difere da gravada a partir do byte %ld (gravado 0x%02X, lido 0x%02X)! Grave novamente.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível ler de volta a configuração gravada: a gravação não está confirmada! Grave novamente.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A atualização do firmware foi interrompida! Reconecte o Vek: a atualização recomeça do início.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A gravação da configuração foi interrompida! Reconecte o Vek e grave novamente.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A leitura da configuração foi interrompida! Reconecte o Vek para ler novamente.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware enviado: o Vek está reiniciando com o novo firmware...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O Vek voltou com a versão %s: o novo firmware não foi aceito!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outro Vek voltou na porta (Id: %s) no lugar do que recebeu o firmware (Id: %s)!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O Vek não voltou a se identificar depois do novo firmware!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Este tipo de Vek (%d) não é atendido por esta ferramenta.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O Vek precisa de novo firmware antes de ser configurado: nada foi gravado.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Este tipo de Vek (%d) não recebe o firmware desta ferramenta.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lendo uma cópia da configuração do Vek antes de alterá-lo...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O Vek não respondeu à leitura da cópia da configuração: a operação segue sem a cópia.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erro</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>station</name>
    <message>
        <source>aguardando Vek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nenhum Vek responde</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>atualizando firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reiniciando</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gravando configuração</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>conferindo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>concluído</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>falhou</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrompido</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aguardando: a estação não inicia novas unidades agora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>registrando</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NÃO registrado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek está em modo de operação</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>versão de Vek descontinuada (tipo %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tipo de Vek não atendido por esta ferramenta (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek precisa de novo firmware antes de ser configurado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o novo firmware não foi aceito: o Vek voltou com a versão %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek não voltou a se identificar depois do novo firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>outro Vek voltou na porta (Id: %1) depois do novo firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek guarda uma configuração inválida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a configuração da estação foi recusada: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek parou de responder durante: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a configuração lida de volta difere da gravada a partir do byte %1 (gravado 0x%2, lido 0x%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o Vek foi desconectado durante: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>identificador repetido: o mesmo Id está na porta %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o registro não pôde ser gravado, o Vek não foi alterado: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, mas NÃO registrado: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>estação encerrada pelo operador</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parando: as %1 unidades em andamento terminam e nenhuma nova começa. Ctrl+C de novo interrompe já.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Os registros não estão sendo gravados: nenhuma unidade nova começa até o banco voltar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Os registros voltaram a ser gravados: novas unidades começam.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>versão de Vek descontinuada (tipo %1): configurado sem novo firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%p% · %1 · %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 kB/s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>–</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: Vek %2 v%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 → %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 %3: %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registros: SQLite (local) %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registros: SQLite (local) %1 — não abriu: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registros: SQLite (local) %1 — não grava: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registros: PostgreSQL %1 — conectado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registros: PostgreSQL %1 — conectando</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registros: PostgreSQL %1 — sem resposta desde %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 registros na fila local</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> — a fila local não grava: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o banco de registros não está aberto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>execução %1 marcada como interrompida (a estação dela parou)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuração: %1%2 · firmware alvo %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O arquivo %1 mudou no disco: a estação segue com a configuração lida ao iniciar (SHA-256 %2). Reinicie a estação para usar o novo arquivo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unidades: %1 concluídas, %2 falharam, %3 interrompidas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ATENÇÃO: %1 unidades concluídas, mas NÃO registradas: separe-as e passe-as de novo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--since pede uma data AAAA-MM-DD ou data e hora AAAA-MM-DDTHH:MM[:SS], e nada mais: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--verdict pede passed, failed, interrupted ou running: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--csv não se combina com --json nem com --summary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 unidades (%2 execuções): %3 aprovadas, %4 reprovadas, %5 interrompidas, %6 em andamento</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Motivos de falha (unidades):</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>transfer</name>
    <message>
        <source>Iniciando atualização...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Atualizando firmware...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Atualizando configuração...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Atualização concluída com sucesso!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A operação não foi concluida!<byte value="xd"/>
Nacks = %d<byte value="xd"/>
Code10 = %d<byte value="xd"/>
Code15 = %d<byte value="xd"/>
Code20 = %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não há conexão ativa!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERRO #0x01</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERRO #0x02</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buscando configuração interna...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A operação não pode ser concluida!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERRO #0x03</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERRO #0x04</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>unit</name>
    <message>
        <source>Conexão aberta...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conexão fechada...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível abrir a porta %1: ela não existe. Confira o cabo USB e escolha a porta de novo na lista.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível abrir a porta %1: ela está em uso por outro programa. Feche o outro programa e tente de novo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível abrir a porta %1: sem permissão de acesso.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Adicione seu usuário ao grupo dialout (sudo usermod -aG dialout $USER) e entre de novo na sessão.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Não foi possível abrir a porta %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nenhum Vek respondeu na porta %1. Confira se é a porta certa e se o cabo USB está bem conectado.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cópia da configuração do Vek guardada: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não é um documento JSON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não é uma cópia de configuração do VekTool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>versão de cópia desconhecida</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a imagem não tem %1 bytes em hexadecimal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não foi possível ler %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 é grande demais para uma cópia de configuração (mais de 1 MB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não foi possível criar a pasta %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>não foi possível gravar a cópia %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
