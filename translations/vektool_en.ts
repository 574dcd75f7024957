<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pt_BR">
<context>
    <name>MainWindow</name>
    <message>
        <source>VekTool</source>
        <translation>VekTool</translation>
    </message>
    <message>
        <source> CONFIGURAÇÕES </source>
        <translation> SETTINGS </translation>
    </message>
    <message>
        <source>PING [s]:</source>
        <translation>PING [s]:</translation>
    </message>
    <message>
        <source>envio #VEK</source>
        <translation>send #VEK</translation>
    </message>
    <message>
        <source>RS232-A:</source>
        <translation>RS232-A:</translation>
    </message>
    <message>
        <source>rastreador</source>
        <translation>tracker</translation>
    </message>
    <message>
        <source>RS232-B:</source>
        <translation>RS232-B:</translation>
    </message>
    <message>
        <source>periférico</source>
        <translation>peripheral</translation>
    </message>
    <message>
        <source> VELOCIDADE </source>
        <translation> SPEED </translation>
    </message>
    <message>
        <source>Velocidade máxima permitida [km/h]:</source>
        <translation>Maximum speed allowed [km/h]:</translation>
    </message>
    <message>
        <source>120</source>
        <translation>120</translation>
    </message>
    <message>
        <source>Tempo validação [segundos]:</source>
        <translation>Validation time [seconds]:</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>REGISTRAR EVENTO</source>
        <translation>RECORD EVENT</translation>
    </message>
    <message>
        <source>Entrada</source>
        <translation>Entry</translation>
    </message>
    <message>
        <source>Saída</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>ALERTA BUZZER</source>
        <translation>BUZZER ALERT</translation>
    </message>
    <message>
        <source>Durante</source>
        <translation>During</translation>
    </message>
    <message>
        <source> VELOCIDADE NA CHUVA </source>
        <translation> SPEED IN RAIN </translation>
    </message>
    <message>
        <source>90</source>
        <translation>90</translation>
    </message>
    <message>
        <source> ROTAÇÃO DO MOTOR </source>
        <translation> ENGINE SPEED </translation>
    </message>
    <message>
        <source>Rotação máxima permitida [rpm]:</source>
        <translation>Max. engine speed allowed [rpm]:</translation>
    </message>
    <message>
        <source>4500</source>
        <translation>4500</translation>
    </message>
    <message>
        <source> CONDUÇÃO DESENGRENADA (banguela) </source>
        <translation> COASTING OUT OF GEAR </translation>
    </message>
    <message>
        <source>Velocidade mínima validação [km/h]:</source>
        <translation>Min. speed to validate [km/h]:</translation>
    </message>
    <message>
        <source>40</source>
        <translation>40</translation>
    </message>
    <message>
        <source>Rotação máxima validação [rpm]:</source>
        <translation>Max. engine speed to validate [rpm]:</translation>
    </message>
    <message>
        <source>900</source>
        <translation>900</translation>
    </message>
    <message>
        <source> OCIOSIDADE DO MOTOR (funcionando parado) </source>
        <translation> ENGINE IDLING (running while stopped) </translation>
    </message>
    <message>
        <source>Tempo máximo permitido para
ociosidade do motor [minutos]:</source>
        <translation>Maximum time allowed for
engine idling [minutes]:</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>Tempo de exceção para
manobras rápidas [segundos]:</source>
        <translation>Exception time for
quick manoeuvres [seconds]:</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source> ACELERAÇÃO (aceleração brusca) </source>
        <translation> ACCELERATION (harsh acceleration) </translation>
    </message>
    <message>
        <source>Aceleração máxima permitida [km/h.s]:</source>
        <translation>Maximum acceleration allowed [km/h/s]:</translation>
    </message>
    <message>
        <source>11</source>
        <translation>11</translation>
    </message>
    <message>
        <source> DESACELERAÇÃO (frenagem brusca) </source>
        <translation> DECELERATION (harsh braking) </translation>
    </message>
    <message>
        <source>Desaceleração máxima permitida [km/h.s]:</source>
        <translation>Maximum deceleration allowed [km/h/s]:</translation>
    </message>
    <message>
        <source>CONFIGURAR</source>
        <translation>CONFIGURE</translation>
    </message>
    <message>
        <source>preencher valores padrão</source>
        <translation>fill in default values</translation>
    </message>
    <message>
        <source>listar comandos de configuração remota</source>
        <translation>list remote configuration commands</translation>
    </message>
    <message>
        <source>Norvale</source>
        <translation>Norvale</translation>
    </message>
    <message>
        <source>Forçar configuração Norvale</source>
        <translation>Force Norvale configuration</translation>
    </message>
    <message>
        <source>Fechar após configurar</source>
        <translation>Close after configuring</translation>
    </message>
    <message>
        <source> LISTA DE IDS </source>
        <translation> ID LIST </translation>
    </message>
    <message>
        <source>Limpar</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source> USB × QR CODE </source>
        <translation> USB × QR CODE </translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>QR code</source>
        <translation>QR code</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>FwUpload</source>
        <translation>FwUpload</translation>
    </message>
    <message>
        <source>FwJump</source>
        <translation>FwJump</translation>
    </message>
    <message>
        <source>GetConfig</source>
        <translation>GetConfig</translation>
    </message>
    <message>
        <source> CONDUÇÃO EM FREIO MOTOR </source>
        <translation> ENGINE BRAKING </translation>
    </message>
    <message>
        <source>Velocidade:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Tempo:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Rotação:</source>
        <translation>Engine speed:</translation>
    </message>
    <message>
        <source>1200</source>
        <translation>1200</translation>
    </message>
    <message>
        <source> ENTRADA </source>
        <translation> ENTRY </translation>
    </message>
    <message>
        <source>Registrar Evento</source>
        <translation>Record Event</translation>
    </message>
    <message>
        <source>Alerta Buzzer</source>
        <translation>Buzzer Alert</translation>
    </message>
    <message>
        <source> SAÍDA </source>
        <translation> EXIT </translation>
    </message>
</context>
<context>
    <name>app</name>
    <message>
        <source>Conectar à porta selecionada</source>
        <translation>Connect to the selected port</translation>
    </message>
    <message>
        <source>Desconectar a porta</source>
        <translation>Disconnect the port</translation>
    </message>
    <message>
        <source>O VekTool está atualizado</source>
        <translation>VekTool is up to date</translation>
    </message>
    <message>
        <source>Há uma nova versão do aplicativo VekTool disponível<byte value="xd"/>
gostaria de fazer o download agora?</source>
        <translation>A new version of the VekTool application is available<byte value="xd"/>
would you like to download it now?</translation>
    </message>
    <message>
        <source>Atualização VekTool</source>
        <translation>VekTool update</translation>
    </message>
    <message>
        <source>Clique aqui para atualizar o VekTool</source>
        <translation>Click here to update VekTool</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Atualizando o firmware</source>
        <translation>Updating the firmware</translation>
    </message>
    <message>
        <source>Gravando a configuração</source>
        <translation>Writing the configuration</translation>
    </message>
    <message>
        <source>Lendo a configuração</source>
        <translation>Reading the configuration</translation>
    </message>
    <message>
        <source>Conferindo a configuração gravada</source>
        <translation>Checking the written configuration</translation>
    </message>
    <message>
        <source>%1: %2 % · bloco %3 de %4 · %5 blocos/s · %6</source>
        <translation>%1: %2% · block %3 of %4 · %5 blocks/s · %6</translation>
    </message>
    <message>
        <source>faltam %1</source>
        <translation>%1 left</translation>
    </message>
    <message>
        <source>calculando o tempo restante</source>
        <translation>working out the time left</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>Firmware atualizado: o Vek voltou com a versão %1.</source>
        <translation>Firmware updated: the Vek came back with version %1.</translation>
    </message>
    <message>
        <source>Firmware atualizado para a versão %1 e configuração lida.</source>
        <translation>Firmware updated to version %1 and configuration read.</translation>
    </message>
    <message>
        <source>Configuração lida.</source>
        <translation>Configuration read.</translation>
    </message>
    <message>
        <source>Configuração gravada.</source>
        <translation>Configuration written.</translation>
    </message>
    <message>
        <source>Configuração gravada e conferida.</source>
        <translation>Configuration written and checked.</translation>
    </message>
    <message>
        <source>Falhou: %1</source>
        <translation>Failed: %1</translation>
    </message>
    <message>
        <source>%1 (×%2)</source>
        <translation>%1 (×%2)</translation>
    </message>
    <message>
        <source>Salvar o log em arquivo...</source>
        <translation>Save the log to a file...</translation>
    </message>
    <message>
        <source>Salvar o log</source>
        <translation>Save the log</translation>
    </message>
    <message>
        <source>Texto (*.txt);;Todos os arquivos (*)</source>
        <translation>Text (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>Erro</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Não foi possível gravar o arquivo %1:<byte value="xd"/>
%2</source>
        <translation>The file %1 could not be written:<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>&amp;Arquivo</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Abrir configuração...</source>
        <translation>&amp;Open configuration...</translation>
    </message>
    <message>
        <source>&amp;Salvar configuração...</source>
        <translation>&amp;Save configuration...</translation>
    </message>
    <message>
        <source>&amp;Comparar com arquivo...</source>
        <translation>&amp;Compare with file...</translation>
    </message>
    <message>
        <source>Abrir pasta de &amp;dados</source>
        <translation>Open &amp;data folder</translation>
    </message>
    <message>
        <source>Sai&amp;r</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Unidade</source>
        <translation>&amp;Unit</translation>
    </message>
    <message>
        <source>&amp;Restaurar cópia...</source>
        <translation>&amp;Restore backup...</translation>
    </message>
    <message>
        <source>Abrir pasta de &amp;cópias</source>
        <translation>Open &amp;backups folder</translation>
    </message>
    <message>
        <source>A&amp;juda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Sobre o VekTool</source>
        <translation>&amp;About VekTool</translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
Manutenção e configuração do Vek pela porta USB.<byte value="xd"/>
Linha de comando: vektool-cli --help. Manual: man vektool.</source>
        <translation>%1<byte value="xd"/>
Maintenance and configuration of the Vek over the USB port.<byte value="xd"/>
Command line: vektool-cli --help. Manual: man vektool.</translation>
    </message>
    <message>
        <source>Configuração do Vek (*.json);;Todos os arquivos (*)</source>
        <translation>Vek configuration (*.json);;All files (*)</translation>
    </message>
    <message>
        <source>Abrir configuração</source>
        <translation>Open configuration</translation>
    </message>
    <message>
        <source>Salvar configuração</source>
        <translation>Save configuration</translation>
    </message>
    <message>
        <source>Não foi possível ler o arquivo %1:<byte value="xd"/>
%2</source>
        <translation>The file %1 could not be read:<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>O arquivo %1 é grande demais para uma configuração (mais de 1 MB): nada foi carregado.</source>
        <translation>The file %1 is too large for a configuration (over 1 MB): nothing was loaded.</translation>
    </message>
    <message>
        <source>O arquivo %1 não foi carregado, nada mudou no formulário:<byte value="xd"/>
%2</source>
        <translation>The file %1 was not loaded, nothing changed in the form:<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>A cópia %1 guarda uma configuração inválida: ela não cabe no formulário, mas pode ser gravada no Vek (Unidade &gt; Restaurar cópia).</source>
        <translation>The backup %1 holds an invalid configuration: it does not fit the form, but it can be written to the Vek (Unit &gt; Restore backup).</translation>
    </message>
    <message>
        <source>Configuração carregada no formulário: %1 (grave com CONFIGURAR)</source>
        <translation>Configuration loaded into the form: %1 (write it with CONFIGURE)</translation>
    </message>
    <message>
        <source>Comparar com arquivo</source>
        <translation>Compare with file</translation>
    </message>
    <message>
        <source>Vek</source>
        <translation>Vek</translation>
    </message>
    <message>
        <source>Formulário</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Arquivo</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Campo</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Nenhuma diferença: o arquivo tem a mesma configuração que o %1.</source>
        <translation>No differences: the file holds the same configuration as the %1.</translation>
    </message>
    <message>
        <source>%2 campo(s) diferem entre o %1 e o arquivo:</source>
        <translation>%2 field(s) differ between the %1 and the file:</translation>
    </message>
    <message>
        <source>Carregar o arquivo no formulário</source>
        <translation>Load the file into the form</translation>
    </message>
    <message>
        <source>Fechar</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Cópia da configuração do Vek guardada em %1</source>
        <translation>Backup of the Vek&apos;s configuration kept in %1</translation>
    </message>
    <message>
        <source>A cópia da configuração do Vek não foi guardada: %1</source>
        <translation>The backup of the Vek&apos;s configuration was not kept: %1</translation>
    </message>
    <message>
        <source>Cópia carregada no formulário: %1 (grave com CONFIGURAR)</source>
        <translation>Backup loaded into the form: %1 (write it with CONFIGURE)</translation>
    </message>
    <message>
        <source>Restaurar cópia</source>
        <translation>Restore backup</translation>
    </message>
    <message>
        <source>Nenhuma cópia guardada ainda.</source>
        <translation>No backups kept yet.</translation>
    </message>
    <message>
        <source>Cópias de todos os Vek (conecte um Vek para ver só as dele):</source>
        <translation>Backups of every Vek (connect a Vek to see only its own):</translation>
    </message>
    <message>
        <source>Cópias do Vek %1, da mais nova à mais antiga:</source>
        <translation>Backups of Vek %1, newest first:</translation>
    </message>
    <message>
        <source>Quando</source>
        <translation>When</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Diferenças</source>
        <translation>Differences</translation>
    </message>
    <message>
        <source>inválida</source>
        <translation>invalid</translation>
    </message>
    <message>
        <source>Carregar no formulário</source>
        <translation>Load into the form</translation>
    </message>
    <message>
        <source>Gravar no Vek...</source>
        <translation>Write to the Vek...</translation>
    </message>
    <message>
        <source>Gravar no Vek %2 a cópia de %1, byte a byte, e conferir lendo de volta?</source>
        <translation>Write the backup of %1 to Vek %2, byte for byte, and check it by reading it back?</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
Atenção: esta cópia é de outro Vek (%1), não do conectado (%2).</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
Caution: this backup is of another Vek (%1), not of the one connected (%2).</translation>
    </message>
    <message>
        <source>a pasta não pôde ser criada</source>
        <translation>the folder could not be created</translation>
    </message>
    <message>
        <source>Não foi possível gravar o registro diário em %1: %2. O log desta janela continua normalmente.</source>
        <translation>The daily log could not be written to %1: %2. This window&apos;s log carries on as usual.</translation>
    </message>
    <message>
        <source>Exportar a lista em CSV...</source>
        <translation>Export the list as CSV...</translation>
    </message>
    <message>
        <source>Exportar a lista de IDs</source>
        <translation>Export the ID list</translation>
    </message>
    <message>
        <source>CSV (*.csv);;Todos os arquivos (*)</source>
        <translation>CSV (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>%1: %2: %3</source>
        <translation>%1: %2: %3</translation>
    </message>
    <message>
        <source>Porta serial</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>Log de mensagens</source>
        <translation>Message log</translation>
    </message>
    <message>
        <source>Andamento da operação</source>
        <translation>Operation status</translation>
    </message>
    <message>
        <source>Progresso da operação</source>
        <translation>Operation progress</translation>
    </message>
    <message>
        <source>Lista de IDs identificados</source>
        <translation>List of identified IDs</translation>
    </message>
    <message>
        <source>Quantidade de IDs na lista</source>
        <translation>Number of IDs in the list</translation>
    </message>
    <message>
        <source>ID lido pela USB</source>
        <translation>ID read over USB</translation>
    </message>
    <message>
        <source>ID lido do QR code</source>
        <translation>ID read from the QR code</translation>
    </message>
    <message>
        <source>Comparação entre USB e QR code</source>
        <translation>USB and QR code comparison</translation>
    </message>
    <message>
        <source>Estação de produção...</source>
        <translation>Production station...</translation>
    </message>
    <message>
        <source>Abrir a estação de produção: vários Vek ao mesmo tempo, cada um registrado</source>
        <translation>Open the production station: several Veks at once, each one recorded</translation>
    </message>
    <message>
        <source>VekTool — Estação de produção</source>
        <translation>VekTool — Production station</translation>
    </message>
    <message>
        <source>Configuração a gravar:</source>
        <translation>Configuration to write:</translation>
    </message>
    <message>
        <source>Padrão</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Norvale</source>
        <translation>Norvale</translation>
    </message>
    <message>
        <source>Arquivo...</source>
        <translation>File...</translation>
    </message>
    <message>
        <source>Escolher arquivo de configuração</source>
        <translation>Choose a configuration file</translation>
    </message>
    <message>
        <source>Configuração VekTool (*.json)</source>
        <translation>VekTool configuration (*.json)</translation>
    </message>
    <message>
        <source>Iniciar estação</source>
        <translation>Start station</translation>
    </message>
    <message>
        <source>Parar estação</source>
        <translation>Stop station</translation>
    </message>
    <message>
        <source>Porta</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Identificador</source>
        <translation>Identifier</translation>
    </message>
    <message>
        <source>Etapa</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Progresso</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Resultado</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Tempo</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Etiqueta QR</source>
        <translation>QR label</translation>
    </message>
    <message>
        <source>FALHOU</source>
        <translation>FAILED</translation>
    </message>
    <message>
        <source>INTERROMPIDO</source>
        <translation>INTERRUPTED</translation>
    </message>
    <message>
        <source>Etiqueta %1 não corresponde a nenhum Vek da estação!</source>
        <translation>Label %1 matches no Vek at the station!</translation>
    </message>
    <message>
        <source>Etiqueta %1 registrada em %2.</source>
        <translation>Label %1 recorded on %2.</translation>
    </message>
    <message>
        <source>Conecte os Vek: cada porta começa sozinha.</source>
        <translation>Connect the Veks: each port starts on its own.</translation>
    </message>
    <message>
        <source>Registros: nenhum — nada desta estação é registrado</source>
        <translation>Records: none — nothing from this station is recorded</translation>
    </message>
    <message>
        <source>A estação não começa sem registros. %1</source>
        <translation>The station does not start without records. %1</translation>
    </message>
    <message>
        <source>opção desconhecida: %1</source>
        <translation>unknown option: %1</translation>
    </message>
    <message>
        <source>falta o valor de %1</source>
        <translation>missing value for %1</translation>
    </message>
    <message>
        <source>Use &apos;vektool --help&apos; para ver as opções.</source>
        <translation>Use &apos;vektool --help&apos; to see the options.</translation>
    </message>
    <message>
        <source>nenhuma tela encontrada (DISPLAY não está definido): rode o vektool numa área de trabalho, ou sob o Xvfb: xvfb-run -a vektool</source>
        <translation>no display found (DISPLAY is not set): run vektool on a desktop, or under Xvfb: xvfb-run -a vektool</translation>
    </message>
    <message>
        <source>Abrir pasta do log</source>
        <translation>Open the log folder</translation>
    </message>
    <message>
        <source>O Vek foi detectado em modo de operação!</source>
        <translation>The Vek was detected in operation mode!</translation>
    </message>
    <message>
        <source>1-Desconectar todos os chicotes</source>
        <translation>1-Disconnect every harness</translation>
    </message>
    <message>
        <source>2-Conectar apenas o cabo USB</source>
        <translation>2-Connect only the USB cable</translation>
    </message>
    <message>
        <source>3-Aguardar o Windows criar a porta (5 segundos)</source>
        <translation>3-Wait for Windows to create the port (5 seconds)</translation>
    </message>
    <message>
        <source>4-Rodar o VekTool e abrir a porta COM criada</source>
        <translation>4-Run VekTool and open the COM port created</translation>
    </message>
    <message>
        <source>3-Aguardar o sistema criar a porta (5 segundos)</source>
        <translation>3-Wait for the system to create the port (5 seconds)</translation>
    </message>
    <message>
        <source>4-Abrir no VekTool a porta criada (%1)</source>
        <translation>4-Open the port created (%1) in VekTool</translation>
    </message>
    <message>
        <source>Erro na porta serial: %1.</source>
        <translation>Serial port error: %1.</translation>
    </message>
    <message>
        <source>não foi possível abrir a porta</source>
        <translation>the port could not be opened</translation>
    </message>
    <message>
        <source>não foi possível escrever na porta</source>
        <translation>the port could not be written to</translation>
    </message>
    <message>
        <source>não foi possível ler da porta</source>
        <translation>the port could not be read from</translation>
    </message>
    <message>
        <source>não foi possível preparar a porta</source>
        <translation>the port could not be set up</translation>
    </message>
    <message>
        <source>falha de código %1</source>
        <translation>failure with code %1</translation>
    </message>
    <message>
        <source><byte value="xd"/>
O sistema informou: %1</source>
        <translation><byte value="xd"/>
The system said: %1</translation>
    </message>
    <message>
        <source>Erro inesperado: %1</source>
        <translation>Unexpected error: %1</translation>
    </message>
    <message>
        <source>Erro inesperado, sem descrição.</source>
        <translation>Unexpected error, with no description.</translation>
    </message>
    <message>
        <source>--lang pede pt ou en: %1</source>
        <translation>--lang takes pt or en: %1</translation>
    </message>
    <message>
        <source>Banco de registros:</source>
        <translation>Records database:</translation>
    </message>
    <message>
        <source>Local (SQLite)</source>
        <translation>Local (SQLite)</translation>
    </message>
    <message>
        <source>PostgreSQL</source>
        <translation>PostgreSQL</translation>
    </message>
    <message>
        <source>postgresql://usuário@servidor:5432/banco</source>
        <translation>postgresql://user@server:5432/database</translation>
    </message>
    <message>
        <source>Endereço do banco PostgreSQL dos registros</source>
        <translation>Address of the PostgreSQL records database</translation>
    </message>
    <message>
        <source>O banco de registros só pode ser trocado com a estação parada.</source>
        <translation>The records database can only be changed while the station is stopped.</translation>
    </message>
    <message>
        <source>Informe o endereço do banco: postgresql://usuário@servidor:porta/banco.</source>
        <translation>Enter the database address: postgresql://user@server:port/database.</translation>
    </message>
    <message>
        <source>Senha do banco de registros</source>
        <translation>Records database password</translation>
    </message>
    <message>
        <source>O servidor %1 pede a senha do usuário %2.
Ela fica guardada só em %3, que apenas você pode ler; nunca nas preferências nem no endereço.</source>
        <translation>The server %1 asks for the password of user %2.
It is kept only in %3, which only you can read; never in the settings or the address.</translation>
    </message>
    <message>
        <source>Senha guardada em %1: a estação tenta o servidor de novo.</source>
        <translation>Password kept in %1: the station tries the server again.</translation>
    </message>
    <message>
        <source>A senha não pôde ser guardada em %1: %2</source>
        <translation>The password could not be kept in %1: %2</translation>
    </message>
    <message>
        <source>Registros...</source>
        <translation>Records...</translation>
    </message>
    <message>
        <source>Abrir os registros de produção: rendimento, motivos de falha, execuções</source>
        <translation>Open the production records: yield, failure reasons, runs</translation>
    </message>
    <message>
        <source>Configuração: %1 · firmware alvo %2</source>
        <translation>Configuration: %1 · target firmware %2</translation>
    </message>
    <message>
        <source>Configuração: %1 (SHA-256 %2…) · firmware alvo %3</source>
        <translation>Configuration: %1 (SHA-256 %2…) · target firmware %3</translation>
    </message>
    <message>
        <source>SHA-256 %1</source>
        <translation>SHA-256 %1</translation>
    </message>
    <message>
        <source>O arquivo %1 mudou no disco: a estação segue com a configuração lida ao escolhê-lo (SHA-256 %2…). Pare e escolha o arquivo de novo para usar o novo conteúdo.</source>
        <translation>The file %1 changed on disk: the station goes on with the configuration read when it was chosen (SHA-256 %2…). Stop and choose the file again to use the new content.</translation>
    </message>
    <message>
        <source>Parando: as unidades em andamento terminam e nenhuma nova começa. &quot;Parar já&quot; interrompe as que restam.</source>
        <translation>Stopping: the units under way finish and no new one starts. &quot;Stop now&quot; interrupts the rest.</translation>
    </message>
    <message>
        <source>Parar já</source>
        <translation>Stop now</translation>
    </message>
    <message>
        <source>faltam …</source>
        <translation>… left</translation>
    </message>
    <message>
        <source>&amp;Idioma</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>O idioma escolhido vale a partir da próxima vez que o VekTool abrir.</source>
        <translation>The chosen language takes effect the next time VekTool opens.</translation>
    </message>
    <message>
        <source>%1 arquivo(s) posto(s) de lado em %2: não são cópias que se possam restaurar.</source>
        <translation>%1 file(s) set aside in %2: they are not backups that can be restored.</translation>
    </message>
    <message>
        <source>Deixar terminar</source>
        <translation>Let it finish</translation>
    </message>
    <message>
        <source>Parar agora</source>
        <translation>Stop now</translation>
    </message>
    <message>
        <source>Continuar</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>%1

Deixar terminar: %2

Parar agora: %3

Continuar: %4</source>
        <translation>%1

Let it finish: %2

Stop now: %3

Continue: %4</translation>
    </message>
    <message>
        <source>%1 — %2: %3</source>
        <translation>%1 — %2: %3</translation>
    </message>
    <message>
        <source>Fechar o VekTool</source>
        <translation>Close VekTool</translation>
    </message>
    <message>
        <source>O Vek está recebendo o firmware novo.</source>
        <translation>The Vek is receiving its new firmware.</translation>
    </message>
    <message>
        <source>O Vek está reiniciando com o firmware novo.</source>
        <translation>The Vek is restarting with its new firmware.</translation>
    </message>
    <message>
        <source>A configuração está sendo gravada no Vek.</source>
        <translation>The configuration is being written to the Vek.</translation>
    </message>
    <message>
        <source>A configuração gravada no Vek está sendo conferida.</source>
        <translation>The configuration written to the Vek is being checked.</translation>
    </message>
    <message>
        <source>o Vek termina de receber o firmware, reinicia e é conferido; a janela fecha em seguida.</source>
        <translation>the Vek finishes receiving the firmware, restarts and is checked; then the window closes.</translation>
    </message>
    <message>
        <source>a ferramenta espera o Vek voltar com o firmware novo e o confere; a janela fecha em seguida.</source>
        <translation>the tool waits for the Vek to come back with its new firmware and checks it; then the window closes.</translation>
    </message>
    <message>
        <source>o Vek termina de receber a configuração e ela é conferida; a janela fecha em seguida.</source>
        <translation>the Vek finishes receiving the configuration and it is checked; then the window closes.</translation>
    </message>
    <message>
        <source>a atualização para já e a janela fecha; o Vek fica sem firmware válido até ser conectado de novo, quando a ferramenta atualiza o firmware.</source>
        <translation>the update stops at once and the window closes; the Vek is left without valid firmware until it is connected again, when the tool updates the firmware.</translation>
    </message>
    <message>
        <source>a janela fecha sem esperar o Vek; ele termina de reiniciar sozinho, mas o firmware novo não é conferido: conecte-o de novo para conferir.</source>
        <translation>the window closes without waiting for the Vek; it finishes restarting by itself, but the new firmware is not checked: connect it again to check it.</translation>
    </message>
    <message>
        <source>a gravação para já e a janela fecha; o Vek fica com a configuração incompleta até que ela seja gravada de novo.</source>
        <translation>the write stops at once and the window closes; the Vek is left with an incomplete configuration until it is written again.</translation>
    </message>
    <message>
        <source>a conferência para já e a janela fecha; a configuração gravada no Vek não é conferida: conecte-o de novo para lê-la.</source>
        <translation>the check stops at once and the window closes; the configuration written to the Vek is not checked: connect it again to read it.</translation>
    </message>
    <message>
        <source>a janela fica aberta e o Vek continua de onde está.</source>
        <translation>the window stays open and the Vek carries on from where it is.</translation>
    </message>
    <message>
        <source>a janela fecha quando o Vek terminar.</source>
        <translation>the window closes when the Vek has finished.</translation>
    </message>
    <message>
        <source>atualização parada; o Vek ficou sem firmware válido. Para recuperar: conecte-o de novo e a ferramenta atualiza o firmware.</source>
        <translation>update stopped; the Vek is left without valid firmware. To recover: connect it again and the tool updates the firmware.</translation>
    </message>
    <message>
        <source>espera parada; o firmware novo do Vek não foi conferido. Para conferir: conecte-o de novo.</source>
        <translation>wait stopped; the Vek&apos;s new firmware was not checked. To check it: connect it again.</translation>
    </message>
    <message>
        <source>gravação parada; o Vek ficou com a configuração incompleta. Para recuperar: conecte-o de novo e grave a configuração outra vez.</source>
        <translation>write stopped; the Vek is left with an incomplete configuration. To recover: connect it again and write the configuration once more.</translation>
    </message>
    <message>
        <source>conferência parada; a configuração gravada no Vek não foi conferida. Para conferir: conecte-o de novo e leia a configuração.</source>
        <translation>check stopped; the configuration written to the Vek was not checked. To check it: connect it again and read the configuration.</translation>
    </message>
    <message>
        <source>a janela continua aberta e o Vek continua de onde estava.</source>
        <translation>the window stays open and the Vek carries on from where it was.</translation>
    </message>
    <message>
        <source>%1 unidade(s) em andamento.</source>
        <translation>%1 unit(s) under way.</translation>
    </message>
    <message>
        <source>as unidades em andamento terminam o firmware e a configuração e nenhuma nova começa; depois a estação para.</source>
        <translation>the units under way finish their firmware and configuration and no new one starts; then the station stops.</translation>
    </message>
    <message>
        <source>as unidades em andamento terminam o firmware e a configuração e nenhuma nova começa; depois a estação para e a janela fecha.</source>
        <translation>the units under way finish their firmware and configuration and no new one starts; then the station stops and the window closes.</translation>
    </message>
    <message>
        <source>as unidades em andamento param já e ficam registradas como interrompidas: a que recebia firmware fica sem firmware válido, a que recebia a configuração fica com ela incompleta; passe-as de novo pela estação para recuperá-las.</source>
        <translation>the units under way stop at once and are recorded as interrupted: one that was receiving firmware is left without valid firmware, one that was receiving its configuration is left with it incomplete; put them through the station again to recover them.</translation>
    </message>
    <message>
        <source>as unidades em andamento param já e ficam registradas como interrompidas: a que recebia firmware fica sem firmware válido, a que recebia a configuração fica com ela incompleta; passe-as de novo pela estação para recuperá-las. A janela fecha.</source>
        <translation>the units under way stop at once and are recorded as interrupted: one that was receiving firmware is left without valid firmware, one that was receiving its configuration is left with it incomplete; put them through the station again to recover them. The window closes.</translation>
    </message>
    <message>
        <source>a estação continua e as unidades também.</source>
        <translation>the station goes on, and so do the units.</translation>
    </message>
    <message>
        <source>as %1 unidade(s) em andamento terminam e nenhuma nova começa. &quot;Parar já&quot; interrompe as que restam.</source>
        <translation>the %1 unit(s) under way finish and no new one starts. &quot;Stop now&quot; interrupts the rest.</translation>
    </message>
    <message>
        <source>%1 unidade(s) paradas e registradas como interrompidas; passe-as de novo pela estação para recuperá-las.</source>
        <translation>%1 unit(s) stopped and recorded as interrupted; put them through the station again to recover them.</translation>
    </message>
    <message>
        <source>a estação continua.</source>
        <translation>the station goes on.</translation>
    </message>
    <message>
        <source>o Vek já tinha terminado; nada foi parado.</source>
        <translation>the Vek had already finished; nothing was stopped.</translation>
    </message>
    <message>
        <source>Não foi feito: %1.</source>
        <translation>Not done: %1.</translation>
    </message>
    <message>
        <source>Cópia gravada e conferida: o Vek guarda uma configuração inválida, como a cópia.</source>
        <translation>Copy written and verified: the Vek holds an invalid configuration, as the copy did.</translation>
    </message>
    <message>
        <source> Nenhuma cópia do que o Vek guardava foi tirada.</source>
        <translation> No copy of what the Vek held was taken.</translation>
    </message>
    <message>
        <source>A cópia de %1 não é uma configuração válida. Gravá-la deixa o Vek %2 com uma configuração inválida, exatamente como estava quando a cópia foi tirada.<byte value="xd"/>
<byte value="xd"/>
Gravar esses bytes assim mesmo?</source>
        <translation>The copy of %1 is not a valid configuration. Writing it leaves Vek %2 with an invalid configuration, exactly as it was when the copy was taken.<byte value="xd"/>
<byte value="xd"/>
Write those bytes anyway?</translation>
    </message>
    <message>
        <source>Gravando no Vek a cópia de %1 (Vek %2)...</source>
        <translation>Writing the copy of %1 (Vek %2) to the Vek...</translation>
    </message>
    <message>
        <source>Não foi possível guardar uma cópia do que o Vek guarda antes de alterá-lo:<byte value="xd"/>
%1<byte value="xd"/>
<byte value="xd"/>
Nada foi alterado. Alterar o Vek mesmo assim, sem a cópia?</source>
        <translation>Could not keep a copy of what the Vek holds before changing it:<byte value="xd"/>
%1<byte value="xd"/>
<byte value="xd"/>
Nothing was changed. Change the Vek anyway, without the copy?</translation>
    </message>
    <message>
        <source>Alterando o Vek sem cópia do que ele guarda, como confirmado.</source>
        <translation>Changing the Vek without a copy of what it holds, as confirmed.</translation>
    </message>
    <message>
        <source>Registrar &amp;tráfego serial</source>
        <translation>Record serial &amp;traffic</translation>
    </message>
    <message>
        <source>Grava cada quadro enviado e recebido, com hora, num arquivo da pasta de dados (trace)</source>
        <translation>Writes every frame sent and received, with its time, to a file in the data folder (trace)</translation>
    </message>
    <message>
        <source>Registro do tráfego serial em %1</source>
        <translation>Serial traffic recorded in %1</translation>
    </message>
    <message>
        <source>Registro do tráfego serial encerrado: %1</source>
        <translation>Serial traffic record ended: %1</translation>
    </message>
    <message>
        <source>Não foi possível abrir o registro do tráfego serial %1: %2</source>
        <translation>Could not open the serial traffic record %1: %2</translation>
    </message>
    <message>
        <source>Aprovadas: %1   Reprovadas: %2   Interrompidas: %3   Sem registro: %4</source>
        <translation>Passed: %1   Failed: %2   Interrupted: %3   Unrecorded: %4</translation>
    </message>
    <message>
        <source>Enviar agora</source>
        <translation>Send now</translation>
    </message>
    <message>
        <source>Envia já ao servidor os registros que esperam na fila local desta máquina</source>
        <translation>Sends the records waiting in this machine&apos;s local queue to the server now</translation>
    </message>
    <message>
        <source>abre só a estação de produção: vários Vek ao mesmo tempo, cada um gravado com a configuração escolhida e registrado</source>
        <translation>opens only the production station: several Veks at once, each one written with the chosen configuration and recorded</translation>
    </message>
    <message>
        <source>abre os registros de produção (rendimento, motivos, execuções)</source>
        <translation>opens the production records (yield, reasons, runs)</translation>
    </message>
    <message>
        <source>com --records: o banco dos registros, postgresql://usuário@máquina:porta/banco</source>
        <translation>with --records: the records database, postgresql://user@host:port/dbname</translation>
    </message>
    <message>
        <source>mostra esta ajuda</source>
        <translation>shows this help</translation>
    </message>
    <message>
        <source>mostra a versão</source>
        <translation>shows the version</translation>
    </message>
    <message>
        <source>Aprovadas</source>
        <translation>Passed</translation>
    </message>
    <message>
        <source>Reprovadas</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>Interrompidas</source>
        <translation>Interrupted</translation>
    </message>
    <message>
        <source>Sem registro</source>
        <translation>Not recorded</translation>
    </message>
    <message>
        <source>Uso: vektool %1

Janela de manutenção do Vek, a unidade de telemetria veicular: identifica o Vek
pela porta serial virtual do cabo USB, atualiza o firmware quando preciso, lê a
configuração para um formulário, valida e grava de volta.

Opções:
</source>
        <translation>Usage: vektool %1

Maintenance window for the Vek, the in-vehicle telemetry unit: identifies the Vek
over the USB cable&apos;s virtual serial port, updates its firmware when needed, reads
its configuration into a form, validates it and writes it back.

Options:
</translation>
    </message>
    <message>
        <source>
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
        <translation>
Files:
  %1/logs/vektool-YYYY-MM-DD.log
                each day&apos;s log, with the time and the port of every line
  %2
                the window&apos;s settings
  %1/records.sqlite
                the production records
  %1/backups/&lt;identifier&gt;/
                one JSON file for each different content a Vek held before
                the tool changed it

Without a window, for scripts and production lines: &apos;vektool-cli --help&apos;.
Manual: &apos;man vektool&apos;.
</translation>
    </message>
    <message>
        <source>o idioma da janela: pt (português) ou en (inglês); sem ela, vale a preferência language, depois o idioma do sistema (en_* dá inglês; qualquer outro, português)</source>
        <translation>the language of the window: pt (Portuguese) or en (English); without it, the language setting counts, then the system&apos;s language (en_* gives English; anything else, Portuguese)</translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message>
        <source>Uso: vektool-cli %1 [opções]</source>
        <translation>Usage: vektool-cli %1 [options]</translation>
    </message>
    <message>
        <source>Opções:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>opção desconhecida: %1</source>
        <translation>unknown option: %1</translation>
    </message>
    <message>
        <source>falta o valor de %1 (%2)</source>
        <translation>missing value for %1 (%2)</translation>
    </message>
    <message>
        <source>%1 não leva valor</source>
        <translation>%1 takes no value</translation>
    </message>
    <message>
        <source>argumento inesperado: %1</source>
        <translation>unexpected argument: %1</translation>
    </message>
    <message>
        <source>&apos;vektool-cli %1 --help&apos; mostra as opções
</source>
        <translation>&apos;vektool-cli %1 --help&apos; shows the options
</translation>
    </message>
    <message>
        <source>comando desconhecido: %1</source>
        <translation>unknown command: %1</translation>
    </message>
    <message>
        <source>falta --port</source>
        <translation>missing --port</translation>
    </message>
    <message>
        <source>use --file ARQ ou --preset default|norvale (um dos dois)</source>
        <translation>use --file FILE or --preset default|norvale (one of the two)</translation>
    </message>
    <message>
        <source>configuração pronta desconhecida: %1 (use default ou norvale)</source>
        <translation>unknown preset: %1 (use default or norvale)</translation>
    </message>
    <message>
        <source>use --port P ou --file ARQ (um dos dois)</source>
        <translation>use --port P or --file FILE (one of the two)</translation>
    </message>
    <message>
        <source>não foi possível ler %1: %2</source>
        <translation>could not read %1: %2</translation>
    </message>
    <message>
        <source>%1 passa de 1 MB: não é um arquivo de configuração (uma configuração tem poucos kB); nada foi carregado</source>
        <translation>%1 is over 1 MB: it is not a configuration file (a configuration is a few kB); nothing was loaded</translation>
    </message>
    <message>
        <source>%1: configuração válida</source>
        <translation>%1: valid configuration</translation>
    </message>
    <message>
        <source>falta --file</source>
        <translation>missing --file</translation>
    </message>
    <message>
        <source>falta --backup</source>
        <translation>missing --backup</translation>
    </message>
    <message>
        <source>--dry-run não combina com --no-verify: nada é gravado</source>
        <translation>--dry-run does not go with --no-verify: nothing is written</translation>
    </message>
    <message>
        <source>não foi possível gravar %1: %2</source>
        <translation>could not write %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 — </source>
        <translation>%1 — </translation>
    </message>
    <message>
        <source>… (%1 bytes)</source>
        <translation>… (%1 bytes)</translation>
    </message>
    <message>
        <source>use --ports P1,P2,… ou --all (um dos dois)</source>
        <translation>use --ports P1,P2,… or --all (one of the two)</translation>
    </message>
    <message>
        <source>--count pede um número inteiro: %1</source>
        <translation>--count takes a whole number: %1</translation>
    </message>
    <message>
        <source>nenhuma porta serial encontrada</source>
        <translation>no serial port found</translation>
    </message>
    <message>
        <source>aviso: o Vek do tipo %1 está descontinuado; fale com o fabricante para mais informações</source>
        <translation>warning: the Vek of type %1 is discontinued; ask the maker for more information</translation>
    </message>
    <message>
        <source>o Vek precisa de novo firmware antes de ser configurado: rode &apos;vektool-cli flash&apos; primeiro; nada foi gravado</source>
        <translation>the Vek needs new firmware before it can be configured: run &apos;vektool-cli flash&apos; first; nothing was written</translation>
    </message>
    <message>
        <source>o Vek já está com o firmware atual (%1); nada foi alterado</source>
        <translation>the Vek already has the current firmware (%1); nothing was changed</translation>
    </message>
    <message>
        <source>firmware atualizado: %1 → %2</source>
        <translation>firmware updated: %1 → %2</translation>
    </message>
    <message>
        <source>configuração gravada e conferida</source>
        <translation>configuration written and checked</translation>
    </message>
    <message>
        <source>configuração gravada (sem conferência)</source>
        <translation>configuration written (not checked)</translation>
    </message>
    <message>
        <source>configuração salva em %1</source>
        <translation>configuration saved to %1</translation>
    </message>
    <message>
        <source>versão: %1</source>
        <translation>version: %1</translation>
    </message>
    <message>
        <source>id: %1</source>
        <translation>id: %1</translation>
    </message>
    <message>
        <source>tipo: %1</source>
        <translation>type: %1</translation>
    </message>
    <message>
        <source>atualização de firmware: %1</source>
        <translation>firmware update: %1</translation>
    </message>
    <message>
        <source>necessária</source>
        <translation>needed</translation>
    </message>
    <message>
        <source>não necessária</source>
        <translation>not needed</translation>
    </message>
    <message>
        <source>%1 [%2]: Vek %3, arquivo %4</source>
        <translation>%1 [%2]: Vek %3, file %4</translation>
    </message>
    <message>
        <source>o Vek tem exatamente a configuração de %1</source>
        <translation>the Vek has exactly the configuration of %1</translation>
    </message>
    <message>
        <source>%1 campo(s) diferem de %2</source>
        <translation>%1 field(s) differ from %2</translation>
    </message>
    <message>
        <source>não foi possível ler a configuração do Vek: %1</source>
        <translation>could not read the Vek&apos;s configuration: %1</translation>
    </message>
    <message>
        <source>%1 [%2]: %3 → %4</source>
        <translation>%1 [%2]: %3 → %4</translation>
    </message>
    <message>
        <source>um write gravaria %1 campo(s); nada foi gravado (--dry-run)</source>
        <translation>a write would change %1 field(s); nothing was written (--dry-run)</translation>
    </message>
    <message>
        <source>o Vek já tem esta configuração: um write não mudaria nenhum campo; nada foi gravado (--dry-run)</source>
        <translation>the Vek already has this configuration: a write would change no field; nothing was written (--dry-run)</translation>
    </message>
    <message>
        <source>a configuração guardada no Vek é inválida: um write a substituiria inteira; nada foi gravado (--dry-run)</source>
        <translation>the configuration held by the Vek is invalid: a write would replace all of it; nothing was written (--dry-run)</translation>
    </message>
    <message>
        <source>cópia do que o Vek guardava: %1</source>
        <translation>backup of what the Vek held: %1</translation>
    </message>
    <message>
        <source>cópia do que o Vek guardava (igual a uma já guardada): %1</source>
        <translation>backup of what the Vek held (same as one already kept): %1</translation>
    </message>
    <message>
        <source>aviso: a cópia do que o Vek guardava não foi guardada: %1</source>
        <translation>warning: the backup of what the Vek held was not kept: %1</translation>
    </message>
    <message>
        <source>nenhuma cópia em %1</source>
        <translation>no backups in %1</translation>
    </message>
    <message>
        <source>nenhuma cópia do Vek %1 em %2</source>
        <translation>no backups of Vek %1 in %2</translation>
    </message>
    <message>
        <source>%1  %2  %3  %4  %5 bytes  %6</source>
        <translation>%1  %2  %3  %4  %5 bytes  %6</translation>
    </message>
    <message>
        <source>válida</source>
        <translation>valid</translation>
    </message>
    <message>
        <source>inválida</source>
        <translation>invalid</translation>
    </message>
    <message>
        <source>Gravar no Vek da porta %1 a cópia de %2 (Vek %3, tirada em %4)? O que o Vek guarda agora será substituído (uma cópia dele é guardada antes). [s/N] </source>
        <translation>Write the backup %2 (Vek %3, taken on %4) to the Vek on port %1? What the Vek holds now will be replaced (a backup of it is kept first). [y/N] </translation>
    </message>
    <message>
        <source>restore substitui a configuração do Vek: confirme com --yes (a entrada não é um terminal para perguntar)</source>
        <translation>restore replaces the Vek&apos;s configuration: confirm with --yes (the input is not a terminal to ask on)</translation>
    </message>
    <message>
        <source>nada foi gravado</source>
        <translation>nothing was written</translation>
    </message>
    <message>
        <source>aviso: a cópia é do Vek %1, mas o Vek na porta é o %2; gravando assim mesmo (uma unidade de reposição?)</source>
        <translation>warning: the backup is of Vek %1, but the Vek on the port is %2; writing it anyway (a replacement unit?)</translation>
    </message>
    <message>
        <source>cópia gravada no Vek e conferida</source>
        <translation>backup written to the Vek and checked</translation>
    </message>
    <message>
        <source>cópia gravada no Vek (sem conferência)</source>
        <translation>backup written to the Vek (not checked)</translation>
    </message>
    <message>
        <source>Ctrl+C: o trabalho no Vek vai até o fim, para não deixá-lo pela metade (um firmware nunca é cortado no meio de propósito); Ctrl+C de novo interrompe agora</source>
        <translation>Ctrl+C: the work on the Vek goes on to the end, so as not to leave it half done (a firmware is never cut off halfway on purpose); Ctrl+C again interrupts now</translation>
    </message>
    <message>
        <source>interrompido no meio do firmware: o Vek fica no carregador, sem firmware que funcione; rode &apos;vektool-cli flash --port %1&apos; de novo para terminar a atualização</source>
        <translation>interrupted halfway through the firmware: the Vek stays in its loader, with no working firmware; run &apos;vektool-cli flash --port %1&apos; again to finish the update</translation>
    </message>
    <message>
        <source>interrompido com o firmware já enviado, enquanto o Vek reiniciava: confira com &apos;vektool-cli identify --port %1&apos;</source>
        <translation>interrupted with the firmware already sent, while the Vek was restarting: check with &apos;vektool-cli identify --port %1&apos;</translation>
    </message>
    <message>
        <source>interrompido no meio da gravação: a configuração do Vek ficou pela metade; grave de novo com &apos;vektool-cli write --port %1&apos;</source>
        <translation>interrupted halfway through the write: the Vek&apos;s configuration is half written; write it again with &apos;vektool-cli write --port %1&apos;</translation>
    </message>
    <message>
        <source> ou restaure a cópia: &apos;vektool-cli restore --port %1 --backup %2&apos;</source>
        <translation> or restore the backup: &apos;vektool-cli restore --port %1 --backup %2&apos;</translation>
    </message>
    <message>
        <source>interrompido no meio da gravação: a configuração do Vek ficou pela metade; grave a cópia de novo com &apos;vektool-cli restore --port %1 --backup %2&apos;</source>
        <translation>interrupted halfway through the write: the Vek&apos;s configuration is half written; write the backup again with &apos;vektool-cli restore --port %1 --backup %2&apos;</translation>
    </message>
    <message>
        <source>interrompido na conferência: a configuração foi gravada mas não conferida; confira com &apos;vektool-cli diff --port %1&apos;</source>
        <translation>interrupted while checking: the configuration was written but not checked; check it with &apos;vektool-cli diff --port %1&apos;</translation>
    </message>
    <message>
        <source>interrompido antes de qualquer alteração: o Vek ficou como estava</source>
        <translation>interrupted before any change: the Vek is as it was</translation>
    </message>
    <message>
        <source>atualizando firmware</source>
        <translation>updating firmware</translation>
    </message>
    <message>
        <source>gravando configuração</source>
        <translation>writing configuration</translation>
    </message>
    <message>
        <source>lendo configuração</source>
        <translation>reading configuration</translation>
    </message>
    <message>
        <source>conferindo configuração</source>
        <translation>checking configuration</translation>
    </message>
    <message>
        <source>blocos</source>
        <translation>blocks</translation>
    </message>
    <message>
        <source>restam</source>
        <translation>left</translation>
    </message>
    <message>
        <source>kB/s</source>
        <translation>kB/s</translation>
    </message>
    <message>
        <source>--lang pede pt ou en: %1</source>
        <translation>--lang takes pt or en: %1</translation>
    </message>
    <message>
        <source>porta serial (nome ou caminho)</source>
        <translation>serial port (name or path)</translation>
    </message>
    <message>
        <source>saída em JSON (um objeto na saída padrão)</source>
        <translation>JSON output (one object on standard output)</translation>
    </message>
    <message>
        <source>só erros e avisos</source>
        <translation>errors and warnings only</translation>
    </message>
    <message>
        <source>grava em ARQ em vez da saída padrão</source>
        <translation>writes to FILE instead of standard output</translation>
    </message>
    <message>
        <source>ARQ</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>arquivo de configuração (JSON)</source>
        <translation>configuration file (JSON)</translation>
    </message>
    <message>
        <source>configuração pronta: default ou norvale</source>
        <translation>preset: default or norvale</translation>
    </message>
    <message>
        <source>NOME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>não lê de volta para conferir</source>
        <translation>does not read back to check</translation>
    </message>
    <message>
        <source>lê o Vek e diz o que mudaria, sem gravar nada</source>
        <translation>reads the Vek and says what would change, writing nothing</translation>
    </message>
    <message>
        <source>a cópia a gravar de volta (um arquivo de &apos;backups&apos;)</source>
        <translation>the backup to write back (a file from &apos;backups&apos;)</translation>
    </message>
    <message>
        <source>grava sem perguntar (obrigatório quando a entrada não é um terminal)</source>
        <translation>writes without asking (required when the input is not a terminal)</translation>
    </message>
    <message>
        <source>atualiza mesmo um Vek já atualizado</source>
        <translation>updates even a Vek already up to date</translation>
    </message>
    <message>
        <source>portas a vigiar, separadas por vírgula</source>
        <translation>ports to watch, separated by commas</translation>
    </message>
    <message>
        <source>vigia toda porta que aparecer (o padrão)</source>
        <translation>watches every port that appears (the default)</translation>
    </message>
    <message>
        <source>banco dos registros: postgresql://usuário@máquina:porta/banco</source>
        <translation>records database: postgresql://user@host:port/database</translation>
    </message>
    <message>
        <source>para depois de N unidades</source>
        <translation>stops after N units</translation>
    </message>
    <message>
        <source>registros a partir de DATA (AAAA-MM-DD)</source>
        <translation>records from DATE on (YYYY-MM-DD)</translation>
    </message>
    <message>
        <source>DATA</source>
        <translation>DATE</translation>
    </message>
    <message>
        <source>saída em CSV (UTF-8, uma linha por execução)</source>
        <translation>CSV output (UTF-8, one line per run)</translation>
    </message>
    <message>
        <source>só execuções com este veredito: passed, failed, interrupted, running</source>
        <translation>only runs with this verdict: passed, failed, interrupted, running</translation>
    </message>
    <message>
        <source>só o Vek com este Id (ou parte dele)</source>
        <translation>only the Vek with this Id (or part of it)</translation>
    </message>
    <message>
        <source>unidades por último veredito e motivos de falha</source>
        <translation>units by last verdict, and failure reasons</translation>
    </message>
    <message>
        <source>Lista as portas seriais: nome, descrição e id USB.</source>
        <translation>Lists the serial ports: name, description and USB id.</translation>
    </message>
    <message>
        <source>Identifica o Vek: versão, id, tipo e se precisa de novo firmware.</source>
        <translation>Identifies the Vek: version, id, type and whether it needs new firmware.</translation>
    </message>
    <message>
        <source>Lê a configuração do Vek e a escreve em JSON. Um Vek com configuração inválida não é alterado.</source>
        <translation>Reads the Vek&apos;s configuration and writes it as JSON. A Vek with an invalid configuration is not changed.</translation>
    </message>
    <message>
        <source>Lê a configuração do Vek e a compara, campo a campo, com um arquivo. Sai com 0 quando são iguais, 1 quando diferem e 5 quando a configuração do Vek não pôde ser lida.</source>
        <translation>Reads the Vek&apos;s configuration and compares it, field by field, with a file. Exits with 0 when they are the same, 1 when they differ and 5 when the Vek&apos;s configuration could not be read.</translation>
    </message>
    <message>
        <source>Confere um arquivo de configuração inteiro, como a gravação o conferiria, sem abrir porta alguma.</source>
        <translation>Checks a whole configuration file, as writing would check it, without opening any port.</translation>
    </message>
    <message>
        <source>Valida uma configuração, guarda uma cópia do que o Vek tem, grava, lê de volta e compara byte a byte. Com --dry-run só diz o que mudaria.</source>
        <translation>Validates a configuration, keeps a backup of what the Vek holds, writes, reads back and compares byte for byte. With --dry-run it only says what would change.</translation>
    </message>
    <message>
        <source>Atualiza o firmware quando o Vek precisa (com --force, sempre) e espera ele voltar.</source>
        <translation>Updates the firmware when the Vek needs it (with --force, always) and waits for it to come back.</translation>
    </message>
    <message>
        <source>Lista as cópias do que cada Vek guardava antes de a ferramenta alterá-lo, a mais nova primeiro.</source>
        <translation>Lists the backups of what each Vek held before the tool changed it, newest first.</translation>
    </message>
    <message>
        <source>Grava de volta no Vek os 2.032 bytes de uma cópia, depois de guardar o que ele tem agora, e confere. Pede confirmação (--yes num script).</source>
        <translation>Writes the 2,032 bytes of a backup back to the Vek, after keeping what it holds now, and checks them. Asks for confirmation (--yes in a script).</translation>
    </message>
    <message>
        <source>Lista os comandos de configuração remota com seus códigos de conferência.</source>
        <translation>Lists the remote configuration commands with their check codes.</translation>
    </message>
    <message>
        <source>Estação de produção: identifica, atualiza o firmware quando preciso, grava e confere a configuração de cada Vek conectado, vários ao mesmo tempo, e registra cada um. Ctrl+C encerra.</source>
        <translation>Production station: identifies, updates the firmware when needed, writes and checks the configuration of every Vek connected, several at once, and records each one. Ctrl+C ends it.</translation>
    </message>
    <message>
        <source>mostra esta ajuda</source>
        <translation>shows this help</translation>
    </message>
    <message>
        <source>%1 arquivo(s) posto(s) de lado em %2: não são cópias que se possam restaurar</source>
        <translation>%1 file(s) set aside in %2: they are not backups that can be restored</translation>
    </message>
    <message>
        <source>aviso: %1</source>
        <translation>warning: %1</translation>
    </message>
    <message>
        <source>cópia gravada no Vek e lida de volta igual: o Vek guarda uma configuração inválida, como a cópia</source>
        <translation>copy written to the Vek and read back equal: the Vek holds an invalid configuration, as the copy did</translation>
    </message>
    <message>
        <source>; nenhuma cópia do que o Vek guardava foi tirada (--no-backup)</source>
        <translation>; no copy of what the Vek held was taken (--no-backup)</translation>
    </message>
    <message>
        <source>altera o Vek sem guardar antes uma cópia do que ele tem</source>
        <translation>changes the Vek without first keeping a copy of what it holds</translation>
    </message>
    <message>
        <source>grava a cópia mesmo quando ela não é uma configuração válida</source>
        <translation>writes the copy even when it is not a valid configuration</translation>
    </message>
    <message>
        <source>não foi possível abrir o registro das portas %1: %2</source>
        <translation>could not open the port trace %1: %2</translation>
    </message>
    <message>
        <source>--unit pede o identificador do Vek, ou parte dele, em dígitos hexadecimais: %1</source>
        <translation>--unit takes the Vek&apos;s identifier, or part of it, in hexadecimal digits: %1</translation>
    </message>
    <message>
        <source>só as cópias do Vek com este Id (ou parte dele)</source>
        <translation>only the backups of the Vek with this Id (or part of it)</translation>
    </message>
    <message>
        <source>registra cada quadro da porta serial em ARQ (&apos;-&apos;: saída de erro)</source>
        <translation>records every frame of the serial port in FILE (&apos;-&apos;: standard error)</translation>
    </message>
    <message>
        <source>Lista os registros da estação de produção; só lê, nada envia nem altera. `records sync` envia ao servidor o que espera na fila local desta máquina.</source>
        <translation>Lists the production station&apos;s records; it only reads, sends and changes nothing. `records sync` sends what waits in this machine&apos;s local queue to the server.</translation>
    </message>
    <message>
        <source>Uso: vektool-cli &lt;comando&gt; [opções]

Comandos:
</source>
        <translation>Usage: vektool-cli &lt;command&gt; [options]

Commands:
</translation>
    </message>
    <message>
        <source>
P é o nome que &apos;ports&apos; mostra (ttyACM0, COM3) ou o caminho do dispositivo.
Todo comando aceita --lang pt|en, o idioma das mensagens; sem ela, vale a preferência
language, depois o idioma do sistema (en_* dá inglês; qualquer outro, português).
Chaves de --json, cabeçalhos e valores de --csv não mudam com o idioma.
Resultados vão para a saída padrão; andamento e mensagens, para a saída de erro.
Os comandos que falam com um Vek, e station, aceitam --trace ARQ: cada quadro
enviado e recebido, com hora, em ARQ (&apos;-&apos; é a saída de erro).
Durante write, flash e restore, o primeiro Ctrl+C deixa o trabalho terminar;
o segundo interrompe (código 130).
&apos;vektool-cli &lt;comando&gt; --help&apos; explica cada comando; --version diz a versão.

Códigos de saída: 0 sucesso; 1 o Vek recusou, falhou ou a conferência diferiu (cada caso
com sua mensagem; com --json, &quot;outcome&quot; diz qual), ou diff achou diferenças;
2 uso ou arquivo inválido; 3 a porta não abriu; 4 nenhum Vek respondeu em 3 s;
5 diff não conseguiu ler a configuração do Vek; 130 interrompido por um segundo Ctrl+C.
</source>
        <translation>
P is the name &apos;ports&apos; shows (ttyACM0, COM3) or the device&apos;s path.
Every command takes --lang pt|en, the language of its messages; without it, the
language setting counts, then the system&apos;s language (en_* gives English; anything
else, Portuguese). --json keys and --csv headings and values never change with it.
Results go to standard output; progress and messages, to standard error.
The commands that talk to a Vek, and station, take --trace FILE: every frame
sent and received, with its time, in FILE (&apos;-&apos; is standard error).
During write, flash and restore, the first Ctrl+C lets the work finish;
the second interrupts it (code 130).
&apos;vektool-cli &lt;command&gt; --help&apos; explains each command; --version gives the version.

Exit codes: 0 success; 1 the Vek refused, failed or the check differed (each case
with its message; with --json, &quot;outcome&quot; says which), or diff found differences;
2 usage or invalid file; 3 the port did not open; 4 no Vek answered within 3 s;
5 diff could not read the Vek&apos;s configuration; 130 interrupted by a second Ctrl+C.
</translation>
    </message>
    <message>
        <source>Sinopse</source>
        <translation>Synopsis</translation>
    </message>
    <message>
        <source>Comandos</source>
        <translation>Commands</translation>
    </message>
    <message>
        <source>Opções</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>comando</source>
        <translation>command</translation>
    </message>
    <message>
        <source>o que faz</source>
        <translation>what it does</translation>
    </message>
    <message>
        <source>opção</source>
        <translation>option</translation>
    </message>
    <message>
        <source>comandos</source>
        <translation>commands</translation>
    </message>
    <message>
        <source>significado</source>
        <translation>meaning</translation>
    </message>
    <message>
        <source>todo comando</source>
        <translation>every command</translation>
    </message>
    <message>
        <source>--reference pede man, markdown ou check: %1</source>
        <translation>--reference takes man, markdown or check: %1</translation>
    </message>
    <message>
        <source>%1: sem descrição</source>
        <translation>%1: no description</translation>
    </message>
    <message>
        <source>%1: sem tradução inglesa de &quot;%2&quot; (translations/vektool_en.ts)</source>
        <translation>%1: no English translation of &quot;%2&quot; (translations/vektool_en.ts)</translation>
    </message>
    <message>
        <source>%1: o uso nomeia --%2, que o comando não tem</source>
        <translation>%1: the usage names --%2, which the command does not take</translation>
    </message>
    <message>
        <source>o idioma das mensagens, da ajuda e dos erros de uso: pt (português) ou en (inglês)</source>
        <translation>the language of messages, help and usage errors: pt (Portuguese) or en (English)</translation>
    </message>
    <message>
        <source>mostra a versão</source>
        <translation>shows the version</translation>
    </message>
    <message>
        <source>lista as portas seriais</source>
        <translation>lists the serial ports</translation>
    </message>
    <message>
        <source>identifica o Vek na porta P</source>
        <translation>identifies the Vek on port P</translation>
    </message>
    <message>
        <source>lê a configuração do Vek (JSON)</source>
        <translation>reads the Vek&apos;s configuration (JSON)</translation>
    </message>
    <message>
        <source>compara, campo a campo, o Vek com um arquivo</source>
        <translation>compares the Vek with a file, field by field</translation>
    </message>
    <message>
        <source>confere um arquivo de configuração</source>
        <translation>checks a configuration file</translation>
    </message>
    <message>
        <source>guarda uma cópia, grava uma configuração e a confere</source>
        <translation>keeps a backup, writes a configuration and checks it</translation>
    </message>
    <message>
        <source>atualiza o firmware quando preciso</source>
        <translation>updates the firmware when needed</translation>
    </message>
    <message>
        <source>lista as cópias do que cada Vek guardava</source>
        <translation>lists the backups of what each Vek held</translation>
    </message>
    <message>
        <source>grava de volta uma cópia e a confere</source>
        <translation>writes a backup back and checks it</translation>
    </message>
    <message>
        <source>lista os comandos de configuração remota</source>
        <translation>lists the remote configuration commands</translation>
    </message>
    <message>
        <source>estação de produção: vários Vek ao mesmo tempo</source>
        <translation>production station: several Veks at once</translation>
    </message>
    <message>
        <source>lista os registros da produção</source>
        <translation>lists the production records</translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <source>Parâmetro inválido!</source>
        <translation>Invalid parameter!</translation>
    </message>
    <message>
        <source>Comandos de configuração remota:</source>
        <translation>Remote configuration commands:</translation>
    </message>
    <message>
        <source>PING</source>
        <translation>PING</translation>
    </message>
    <message>
        <source>RS232-A</source>
        <translation>RS232-A</translation>
    </message>
    <message>
        <source>RS232-B</source>
        <translation>RS232-B</translation>
    </message>
    <message>
        <source>Aceleração</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>Desaceleração</source>
        <translation>Deceleration</translation>
    </message>
    <message>
        <source>Velocidade</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Tempo validação Velocidade</source>
        <translation>Speed validation time</translation>
    </message>
    <message>
        <source>Velocidade na Chuva</source>
        <translation>Speed in Rain</translation>
    </message>
    <message>
        <source>Tempo validação Velocidade na Chuva</source>
        <translation>Speed in Rain validation time</translation>
    </message>
    <message>
        <source>Rotação do Motor</source>
        <translation>Engine Speed</translation>
    </message>
    <message>
        <source>Tempo validação Rotação</source>
        <translation>Engine speed validation time</translation>
    </message>
    <message>
        <source>Tempo osciosidade</source>
        <translation>Idling time</translation>
    </message>
    <message>
        <source>Tempo ociosidade</source>
        <translation>Idling time</translation>
    </message>
    <message>
        <source>Tempo excessão manobra</source>
        <translation>Manoeuvre exception time</translation>
    </message>
    <message>
        <source>Velocidade min. Banguela</source>
        <translation>Coasting min. speed</translation>
    </message>
    <message>
        <source>Rotação max. Banguela</source>
        <translation>Coasting max. engine speed</translation>
    </message>
    <message>
        <source>Tempo validação Banguela</source>
        <translation>Coasting validation time</translation>
    </message>
    <message>
        <source>Velocidade na chuva</source>
        <translation>Speed in rain</translation>
    </message>
    <message>
        <source>Rotação do motor</source>
        <translation>Engine speed</translation>
    </message>
    <message>
        <source>Ociosidade do motor</source>
        <translation>Engine idling</translation>
    </message>
    <message>
        <source>Banguela</source>
        <translation>Coasting</translation>
    </message>
    <message>
        <source>linha %1: </source>
        <translation>line %1: </translation>
    </message>
    <message>
        <source>campo &quot;%1&quot;: </source>
        <translation>field &quot;%1&quot;: </translation>
    </message>
    <message>
        <source>o arquivo está vazio</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>o texto acaba antes do fim do documento</source>
        <translation>the text ends before the end of the document</translation>
    </message>
    <message>
        <source>caractere inesperado %1</source>
        <translation>unexpected character %1</translation>
    </message>
    <message>
        <source>esperava uma chave entre aspas</source>
        <translation>expected a key in quotes</translation>
    </message>
    <message>
        <source>falta &apos;:&apos; depois da chave</source>
        <translation>missing &apos;:&apos; after the key</translation>
    </message>
    <message>
        <source>falta &apos;,&apos; ou &apos;}&apos;</source>
        <translation>missing &apos;,&apos; or &apos;}&apos;</translation>
    </message>
    <message>
        <source>falta &apos;,&apos; ou &apos;]&apos;</source>
        <translation>missing &apos;,&apos; or &apos;]&apos;</translation>
    </message>
    <message>
        <source>número malformado</source>
        <translation>malformed number</translation>
    </message>
    <message>
        <source>sequência de escape inválida no texto</source>
        <translation>invalid escape sequence in the text</translation>
    </message>
    <message>
        <source>caractere de controle dentro do texto</source>
        <translation>control character inside the text</translation>
    </message>
    <message>
        <source>o texto não é UTF-8 válido</source>
        <translation>the text is not valid UTF-8</translation>
    </message>
    <message>
        <source>há texto depois do fim do documento</source>
        <translation>there is text after the end of the document</translation>
    </message>
    <message>
        <source>objetos aninhados fundo demais</source>
        <translation>objects nested too deep</translation>
    </message>
    <message>
        <source>chave repetida (já aparece na linha %1)</source>
        <translation>repeated key (already on line %1)</translation>
    </message>
    <message>
        <source>chave desconhecida</source>
        <translation>unknown key</translation>
    </message>
    <message>
        <source>falta esta chave</source>
        <translation>this key is missing</translation>
    </message>
    <message>
        <source>deve ser um objeto { ... }</source>
        <translation>must be an object { ... }</translation>
    </message>
    <message>
        <source>deve ser true ou false</source>
        <translation>must be true or false</translation>
    </message>
    <message>
        <source>deve ser um número inteiro</source>
        <translation>must be a whole number</translation>
    </message>
    <message>
        <source>deve ser um texto entre aspas</source>
        <translation>must be a text in quotes</translation>
    </message>
    <message>
        <source>&quot;%1&quot; não é uma configuração do VekTool; esperava &quot;%2&quot;</source>
        <translation>&quot;%1&quot; is not a VekTool configuration; expected &quot;%2&quot;</translation>
    </message>
    <message>
        <source>a versão %1 é mais nova que a %2, que esta ferramenta lê</source>
        <translation>version %1 is newer than %2, which this tool reads</translation>
    </message>
    <message>
        <source>%1 não é uma versão conhecida</source>
        <translation>%1 is not a known version</translation>
    </message>
    <message>
        <source>%1 não é um de %2</source>
        <translation>%1 is not one of %2</translation>
    </message>
    <message>
        <source>&quot;during&quot; (Durante) não pode estar marcado junto com &quot;entry&quot; (Entrada) ou &quot;exit&quot; (Saída)</source>
        <translation>&quot;during&quot; (During) cannot be ticked together with &quot;entry&quot; (Entry) or &quot;exit&quot; (Exit)</translation>
    </message>
    <message>
        <source>Permitido: %1 a %2 %3</source>
        <translation>Allowed: %1 to %2 %3</translation>
    </message>
    <message>
        <source>PING (s)</source>
        <translation>PING (s)</translation>
    </message>
    <message>
        <source>RS232-A (baud)</source>
        <translation>RS232-A (baud)</translation>
    </message>
    <message>
        <source>RS232-B (baud)</source>
        <translation>RS232-B (baud)</translation>
    </message>
    <message>
        <source>%1: registrar evento</source>
        <translation>%1: record event</translation>
    </message>
    <message>
        <source>%1: alerta buzzer</source>
        <translation>%1: buzzer alert</translation>
    </message>
    <message>
        <source>%1: registrar na entrada</source>
        <translation>%1: record on entry</translation>
    </message>
    <message>
        <source>%1: registrar na saída</source>
        <translation>%1: record on exit</translation>
    </message>
    <message>
        <source>%1: buzzer na entrada</source>
        <translation>%1: buzzer on entry</translation>
    </message>
    <message>
        <source>%1: buzzer na saída</source>
        <translation>%1: buzzer on exit</translation>
    </message>
    <message>
        <source>%1: buzzer durante</source>
        <translation>%1: buzzer during</translation>
    </message>
    <message>
        <source>sim</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>não</source>
        <translation>no</translation>
    </message>
    <message>
        <source>(vazio)</source>
        <translation>(empty)</translation>
    </message>
</context>
<context>
    <name>link</name>
    <message>
        <source>Registro das portas seriais, iniciado em %1 (hora local).</source>
        <translation>Serial port trace, started %1 (local time).</translation>
    </message>
    <message>
        <source>porta, hora, sentido (TX da ferramenta ao Vek, RX do Vek à ferramenta), código, tamanho, bytes</source>
        <translation>port, time, direction (TX tool to Vek, RX Vek to tool), code, length, bytes</translation>
    </message>
    <message>
        <source>Registro cortado aqui: chegou ao limite de %1.</source>
        <translation>Trace cut here: it reached its limit of %1.</translation>
    </message>
</context>
<context>
    <name>protocol</name>
    <message>
        <source>Destino inválido!</source>
        <translation>Invalid destination!</translation>
    </message>
    <message>
        <source>Essa versão do vek está descontinuada, entre em contato com a Marovec para mais informações!</source>
        <translation>This version of the Vek is discontinued, contact Marovec for more information!</translation>
    </message>
    <message>
        <source>O Vek está atualizado!</source>
        <translation>The Vek is up to date!</translation>
    </message>
</context>
<context>
    <name>records</name>
    <message>
        <source>O endereço do banco de registros não pode conter senha: %1. Informe a senha na variável PGPASSWORD ou no arquivo ~/.pgpass.</source>
        <translation>The records database&apos;s address cannot hold a password: %1. Give the password in the PGPASSWORD variable or in the ~/.pgpass file.</translation>
    </message>
    <message>
        <source>Endereço do banco de registros inválido: %1. Use postgresql://usuário@servidor:porta/banco.</source>
        <translation>Invalid records database address: %1. Use postgresql://user@server:port/database.</translation>
    </message>
    <message>
        <source>Opção &quot;%1&quot; não aceita no endereço do banco de registros %2 (só sslmode=disable, allow, prefer, require, verify-ca ou verify-full).</source>
        <translation>Option &quot;%1&quot; is not accepted in the records database address %2 (only sslmode=disable, allow, prefer, require, verify-ca or verify-full).</translation>
    </message>
    <message>
        <source>O driver %1 do Qt não está instalado; o banco %2 não pode ser aberto.</source>
        <translation>Qt&apos;s %1 driver is not installed; the database %2 cannot be opened.</translation>
    </message>
    <message>
        <source>O banco de registros não está aberto.</source>
        <translation>The records database is not open.</translation>
    </message>
    <message>
        <source>Não foi possível criar a pasta %1 do banco local de registros.</source>
        <translation>The folder %1 of the local records database could not be created.</translation>
    </message>
    <message>
        <source>Não foi possível abrir o banco de registros %1: %2</source>
        <translation>The records database %1 could not be opened: %2</translation>
    </message>
    <message>
        <source>O banco de registros %1 está na versão %2 do esquema, mais nova que a desta ferramenta (%3). Atualize o VekTool; nada foi gravado no banco.</source>
        <translation>The records database %1 is at schema version %2, newer than this tool&apos;s (%3). Update VekTool; nothing was written to the database.</translation>
    </message>
    <message>
        <source>O banco %1 tem uma tabela runs sem versão de esquema: não é um banco de registros do VekTool. Nada foi gravado no banco.</source>
        <translation>The database %1 has a runs table with no schema version: it is not a VekTool records database. Nothing was written to the database.</translation>
    </message>
    <message>
        <source>Não foi possível ler a versão do esquema do banco %1: %2</source>
        <translation>The schema version of the database %1 could not be read: %2</translation>
    </message>
    <message>
        <source>Não foi possível preparar o esquema do banco %1: %2</source>
        <translation>The schema of the database %1 could not be prepared: %2</translation>
    </message>
    <message>
        <source>Banco compartilhado %1 inacessível (%2). Os registros ficam no banco local %3 até a reconexão.</source>
        <translation>Shared database %1 unreachable (%2). Records stay in the local database %3 until it is back.</translation>
    </message>
    <message>
        <source>Banco compartilhado %1 inacessível; a lista não pode ser lida (%2 execuções aguardam envio).</source>
        <translation>Shared database %1 unreachable; the list cannot be read (%2 runs waiting to be sent).</translation>
    </message>
    <message>
        <source>Identificador de execução inválido: &quot;%1&quot; (esperado um UUID).</source>
        <translation>Invalid run identifier: &quot;%1&quot; (a UUID was expected).</translation>
    </message>
    <message>
        <source>A execução %1 já existe.</source>
        <translation>The run %1 already exists.</translation>
    </message>
    <message>
        <source>Execução %1 desconhecida ou já terminada; nada foi alterado.</source>
        <translation>Run %1 is unknown or already ended; nothing was changed.</translation>
    </message>
    <message>
        <source>Uma execução só termina aprovada, reprovada ou interrompida.</source>
        <translation>A run only ends passed, failed or interrupted.</translation>
    </message>
    <message>
        <source>A configuração gravada não é um JSON válido (%1, posição %2); nada foi alterado.</source>
        <translation>The written configuration is not valid JSON (%1, position %2); nothing was changed.</translation>
    </message>
    <message>
        <source>Não foi possível gravar a execução %1 (%2).</source>
        <translation>The run %1 could not be written (%2).</translation>
    </message>
    <message>
        <source>Não foi possível criar a trava da estação %1: %2</source>
        <translation>The station&apos;s lock %1 could not be created: %2</translation>
    </message>
    <message>
        <source>a pasta não aceita gravação</source>
        <translation>the folder cannot be written to</translation>
    </message>
    <message>
        <source>O banco %1 tem uma linha ilegível na execução %2.</source>
        <translation>The database %1 has an unreadable row in run %2.</translation>
    </message>
    <message>
        <source>Não foi possível ler o banco de registros %1: %2</source>
        <translation>The records database %1 could not be read: %2</translation>
    </message>
    <message>
        <source>Interrompida: a estação parou antes do fim da execução.</source>
        <translation>Interrupted: the station stopped before the end of the run.</translation>
    </message>
</context>
<context>
    <name>records_query</name>
    <message>
        <source>SQLite (local) %1</source>
        <translation>SQLite (local) %1</translation>
    </message>
    <message>
        <source>PostgreSQL %1</source>
        <translation>PostgreSQL %1</translation>
    </message>
    <message>
        <source>Ainda não há registros neste computador: o arquivo %1 não existe. Ele é criado pela estação de produção.</source>
        <translation>There are no records on this computer yet: the file %1 does not exist. The production station creates it.</translation>
    </message>
    <message>
        <source>O banco %1 não tem a tabela de execuções: não é um banco de registros do VekTool.</source>
        <translation>The database %1 has no runs table: it is not a VekTool records database.</translation>
    </message>
    <message>
        <source>Não foi possível abrir o banco de registros %1: %2</source>
        <translation>The records database %1 could not be opened: %2</translation>
    </message>
    <message>
        <source>Não foi possível consultar o banco de registros %1: %2</source>
        <translation>The records database %1 could not be queried: %2</translation>
    </message>
    <message>
        <source>O banco de registros não está aberto.</source>
        <translation>The records database is not open.</translation>
    </message>
    <message>
        <source>O driver %1 do Qt não está instalado; o banco %2 não pode ser aberto.</source>
        <translation>Qt&apos;s %1 driver is not installed; the database %2 cannot be opened.</translation>
    </message>
    <message>
        <source>O banco %1 ainda não tem registros: nenhuma estação gravou nele.</source>
        <translation>The database %1 holds no records yet: no station has written to it.</translation>
    </message>
</context>
<context>
    <name>records_viewer</name>
    <message>
        <source>Registros de produção — VekTool</source>
        <translation>Production records — VekTool</translation>
    </message>
    <message>
        <source>Registros: %1</source>
        <translation>Records: %1</translation>
    </message>
    <message>
        <source>Consultando os registros…</source>
        <translation>Querying the records…</translation>
    </message>
    <message>
        <source>Consultando os registros… o banco ainda não respondeu; a janela continua disponível.</source>
        <translation>Querying the records… the database has not answered yet; the window is still available.</translation>
    </message>
    <message>
        <source>Atualizado às %1.</source>
        <translation>Updated at %1.</translation>
    </message>
    <message>
        <source>--db só vale com --records (o endereço do banco que os registros mostram).</source>
        <translation>--db only goes with --records (the address of the database the records show).</translation>
    </message>
    <message>
        <source>Período:</source>
        <translation>Period:</translation>
    </message>
    <message>
        <source>Hoje</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>Últimos 7 dias</source>
        <translation>Last 7 days</translation>
    </message>
    <message>
        <source>Últimos 30 dias</source>
        <translation>Last 30 days</translation>
    </message>
    <message>
        <source>Personalizado</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>de</source>
        <translation>from</translation>
    </message>
    <message>
        <source>até</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Resultado:</source>
        <translation>Result:</translation>
    </message>
    <message>
        <source>Todos</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Unidade contém:</source>
        <translation>Unit contains:</translation>
    </message>
    <message>
        <source>parte do identificador</source>
        <translation>part of the identifier</translation>
    </message>
    <message>
        <source>Estação:</source>
        <translation>Station:</translation>
    </message>
    <message>
        <source>Todas</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Atualizar</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>aprovada</source>
        <translation>passed</translation>
    </message>
    <message>
        <source>reprovada</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>interrompida</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>interrompido</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>em andamento</source>
        <translation>running</translation>
    </message>
    <message>
        <source>Aprovadas</source>
        <translation>Passed</translation>
    </message>
    <message>
        <source>Reprovadas</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>Interrompidas</source>
        <translation>Interrupted</translation>
    </message>
    <message>
        <source>Em andamento</source>
        <translation>Running</translation>
    </message>
    <message>
        <source>Unidades por hora</source>
        <translation>Units per hour</translation>
    </message>
    <message>
        <source>Unidades por dia</source>
        <translation>Units per day</translation>
    </message>
    <message>
        <source>Motivos de reprovação</source>
        <translation>Failure reasons</translation>
    </message>
    <message>
        <source>Nenhuma reprovação no período</source>
        <translation>No failures in the period</translation>
    </message>
    <message>
        <source>Unidades</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>(sem motivo informado)</source>
        <translation>(no reason given)</translation>
    </message>
    <message>
        <source>%1h</source>
        <translation>%1h</translation>
    </message>
    <message>
        <source>Início</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Unidade</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Resultado</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Motivo</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Estação</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Porta</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
    <message>
        <source>%1 de %2 execuções.</source>
        <translation>%1 of %2 runs.</translation>
    </message>
    <message>
        <source>Mostrar mais</source>
        <translation>Show more</translation>
    </message>
    <message>
        <source>Campo</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Valor</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Selecione uma execução na tabela para ver os detalhes.</source>
        <translation>Select a run in the table to see its details.</translation>
    </message>
    <message>
        <source>Execução</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Fim</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Tipo</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Firmware (antes → depois)</source>
        <translation>Firmware (before → after)</translation>
    </message>
    <message>
        <source>Firmware da estação</source>
        <translation>Station&apos;s firmware</translation>
    </message>
    <message>
        <source>Leitura de volta</source>
        <translation>Read-back</translation>
    </message>
    <message>
        <source>igual ao gravado</source>
        <translation>same as written</translation>
    </message>
    <message>
        <source>diferente do gravado a partir do byte %1</source>
        <translation>differs from what was written from byte %1 on</translation>
    </message>
    <message>
        <source>não feita</source>
        <translation>not done</translation>
    </message>
    <message>
        <source>Etiqueta QR</source>
        <translation>QR label</translation>
    </message>
    <message>
        <source>%1 (confere com o USB)</source>
        <translation>%1 (matches the USB)</translation>
    </message>
    <message>
        <source>%1 (NÃO confere com o USB)</source>
        <translation>%1 (does NOT match the USB)</translation>
    </message>
    <message>
        <source>não lida</source>
        <translation>not read</translation>
    </message>
    <message>
        <source>interrompido (a estação parou sem terminar a execução)</source>
        <translation>interrupted (the station stopped without finishing the run)</translation>
    </message>
    <message>
        <source>Origem da configuração</source>
        <translation>Configuration source</translation>
    </message>
    <message>
        <source>SHA-256 da configuração</source>
        <translation>Configuration SHA-256</translation>
    </message>
    <message>
        <source>Configuração anterior do Vek</source>
        <translation>Vek&apos;s previous configuration</translation>
    </message>
    <message>
        <source>guardada</source>
        <translation>kept</translation>
    </message>
    <message>
        <source>não guardada</source>
        <translation>not kept</translation>
    </message>
    <message>
        <source>Configuração gravada</source>
        <translation>Configuration written</translation>
    </message>
    <message>
        <source>nenhuma (a execução não chegou a gravar)</source>
        <translation>none (the run never got to write)</translation>
    </message>
    <message>
        <source>ilegível no registro</source>
        <translation>unreadable in the record</translation>
    </message>
    <message>
        <source>—</source>
        <translation>—</translation>
    </message>
    <message>
        <source>Aprovadas na primeira passagem</source>
        <translation>Passed first time</translation>
    </message>
    <message>
        <source>Aprovadas com retrabalho</source>
        <translation>Passed after rework</translation>
    </message>
    <message>
        <source>Sem notícia</source>
        <translation>Without news</translation>
    </message>
    <message>
        <source>sem notícia desde %1 (estação %2)</source>
        <translation>without news since %1 (station %2)</translation>
    </message>
    <message>
        <source>Rendimento hoje: %1 % (primeira passagem %2 %) — %3 aprovadas, %4 reprovadas, %5 com retrabalho, %6 interrompidas, %7 sem notícia</source>
        <translation>Yield today: %1 % (first pass %2 %) — %3 passed, %4 failed, %5 reworked, %6 interrupted, %7 without news</translation>
    </message>
    <message>
        <source>Rendimento hoje: nenhuma unidade concluída ainda — %1 interrompidas, %2 sem notícia</source>
        <translation>Yield today: no unit finished yet — %1 interrupted, %2 without news</translation>
    </message>
    <message>
        <source>%1: %2 % (primeira passagem %3 %) — %4 aprovadas, %5 reprovadas, %6 com retrabalho, %7 interrompidas, %8 sem notícia</source>
        <translation>%1: %2 % (first pass %3 %) — %4 passed, %5 failed, %6 reworked, %7 interrupted, %8 without news</translation>
    </message>
    <message>
        <source>No período: %1 unidades — %2 aprovadas, %3 reprovadas, %4 interrompidas, %5 em andamento, %6 sem notícia; %7 aprovadas na primeira passagem, %8 com retrabalho (cada unidade contada uma vez, pelo último resultado).</source>
        <translation>In the period: %1 units — %2 passed, %3 failed, %4 interrupted, %5 running, %6 without news; %7 passed first time, %8 reworked (each unit counted once, by its last result).</translation>
    </message>
</context>
<context>
    <name>session</name>
    <message>
        <source>Leitura da configuração interna concluída!</source>
        <translation>Internal configuration read complete!</translation>
    </message>
    <message>
        <source>Configuração inválida!</source>
        <translation>Invalid configuration!</translation>
    </message>
    <message>
        <source>Preparando configuração Norvale...</source>
        <translation>Preparing Norvale configuration...</translation>
    </message>
    <message>
        <source>Preparando configuração padrão...</source>
        <translation>Preparing default configuration...</translation>
    </message>
    <message>
        <source>Configuração conferida: o Vek guardou exatamente o que foi gravado.</source>
        <translation>Configuration checked: the Vek kept exactly what was written.</translation>
    </message>
    <message>
        <source>Firmware enviado: o Vek está reiniciando com o novo firmware...</source>
        <translation>Firmware sent: the Vek is restarting with the new firmware...</translation>
    </message>
    <message>
        <source>Lendo uma cópia da configuração do Vek antes de alterá-lo...</source>
        <translation>Reading a backup of the Vek&apos;s configuration before changing it...</translation>
    </message>
    <message>
        <source>O Vek não respondeu à leitura da cópia da configuração: a operação segue sem a cópia.</source>
        <translation>The Vek did not answer the backup read: the operation goes on without the backup.</translation>
    </message>
</context>
<context>
    <name>station</name>
    <message>
        <source>aguardando Vek</source>
        <translation>waiting for a Vek</translation>
    </message>
    <message>
        <source>nenhum Vek responde</source>
        <translation>no Vek answers</translation>
    </message>
    <message>
        <source>atualizando firmware</source>
        <translation>updating firmware</translation>
    </message>
    <message>
        <source>reiniciando</source>
        <translation>restarting</translation>
    </message>
    <message>
        <source>gravando configuração</source>
        <translation>writing configuration</translation>
    </message>
    <message>
        <source>conferindo</source>
        <translation>checking</translation>
    </message>
    <message>
        <source>concluído</source>
        <translation>done</translation>
    </message>
    <message>
        <source>falhou</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>interrompido</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>aguardando: a estação não inicia novas unidades agora</source>
        <translation>waiting: the station is not starting new units now</translation>
    </message>
    <message>
        <source>registrando</source>
        <translation>recording</translation>
    </message>
    <message>
        <source>NÃO registrado</source>
        <translation>NOT recorded</translation>
    </message>
    <message>
        <source>%1, mas NÃO registrado: %2</source>
        <translation>%1, but NOT recorded: %2</translation>
    </message>
    <message>
        <source>Parando: as %1 unidades em andamento terminam e nenhuma nova começa. Ctrl+C de novo interrompe já.</source>
        <translation>Stopping: the %1 units running finish and no new one starts. Ctrl+C again interrupts at once.</translation>
    </message>
    <message>
        <source>Os registros não estão sendo gravados: nenhuma unidade nova começa até o banco voltar.</source>
        <translation>Records are not being written: no new unit starts until the database is back.</translation>
    </message>
    <message>
        <source>Os registros voltaram a ser gravados: novas unidades começam.</source>
        <translation>Records are being written again: new units start.</translation>
    </message>
    <message>
        <source>versão de Vek descontinuada (tipo %1): configurado sem novo firmware</source>
        <translation>discontinued Vek version (type %1): configured without new firmware</translation>
    </message>
    <message>
        <source>%p% · %1 · %2</source>
        <translation>%p% · %1 · %2</translation>
    </message>
    <message>
        <source>%1 kB/s</source>
        <translation>%1 kB/s</translation>
    </message>
    <message>
        <source>–</source>
        <translation>–</translation>
    </message>
    <message>
        <source>%1: Vek %2 v%3</source>
        <translation>%1: Vek %2 v%3</translation>
    </message>
    <message>
        <source>%1: %2 → %3</source>
        <translation>%1: %2 → %3</translation>
    </message>
    <message>
        <source>%1: %2 %3</source>
        <translation>%1: %2 %3</translation>
    </message>
    <message>
        <source>%1: %2 %3: %4</source>
        <translation>%1: %2 %3: %4</translation>
    </message>
    <message>
        <source>Registros: SQLite (local) %1</source>
        <translation>Records: SQLite (local) %1</translation>
    </message>
    <message>
        <source>Registros: SQLite (local) %1 — não abriu: %2</source>
        <translation>Records: SQLite (local) %1 — did not open: %2</translation>
    </message>
    <message>
        <source>Registros: SQLite (local) %1 — não grava: %2</source>
        <translation>Records: SQLite (local) %1 — not writing: %2</translation>
    </message>
    <message>
        <source>Registros: PostgreSQL %1 — conectado</source>
        <translation>Records: PostgreSQL %1 — connected</translation>
    </message>
    <message>
        <source>Registros: PostgreSQL %1 — conectando</source>
        <translation>Records: PostgreSQL %1 — connecting</translation>
    </message>
    <message>
        <source>Registros: PostgreSQL %1 — sem resposta desde %2</source>
        <translation>Records: PostgreSQL %1 — no answer since %2</translation>
    </message>
    <message>
        <source>, %1 registros na fila local</source>
        <translation>, %1 records in the local queue</translation>
    </message>
    <message>
        <source> — a fila local não grava: %1</source>
        <translation> — the local queue is not writing: %1</translation>
    </message>
    <message>
        <source>o banco de registros não está aberto</source>
        <translation>the records database is not open</translation>
    </message>
    <message>
        <source>execução %1 marcada como interrompida (a estação dela parou)</source>
        <translation>run %1 marked as interrupted (its station stopped)</translation>
    </message>
    <message>
        <source>Configuração: %1%2 · firmware alvo %3</source>
        <translation>Configuration: %1%2 · target firmware %3</translation>
    </message>
    <message>
        <source>O arquivo %1 mudou no disco: a estação segue com a configuração lida ao iniciar (SHA-256 %2). Reinicie a estação para usar o novo arquivo.</source>
        <translation>The file %1 changed on disk: the station goes on with the configuration read at the start (SHA-256 %2). Restart the station to use the new file.</translation>
    </message>
    <message>
        <source>unidades: %1 concluídas, %2 falharam, %3 interrompidas</source>
        <translation>units: %1 done, %2 failed, %3 interrupted</translation>
    </message>
    <message>
        <source>ATENÇÃO: %1 unidades concluídas, mas NÃO registradas: separe-as e passe-as de novo</source>
        <translation>CAUTION: %1 units done but NOT recorded: set them aside and run them again</translation>
    </message>
    <message>
        <source>--since pede uma data AAAA-MM-DD ou data e hora AAAA-MM-DDTHH:MM[:SS], e nada mais: %1</source>
        <translation>--since takes a date YYYY-MM-DD or a date and time YYYY-MM-DDTHH:MM[:SS], and nothing else: %1</translation>
    </message>
    <message>
        <source>--verdict pede passed, failed, interrupted ou running: %1</source>
        <translation>--verdict takes passed, failed, interrupted or running: %1</translation>
    </message>
    <message>
        <source>--csv não se combina com --json nem com --summary</source>
        <translation>--csv goes with neither --json nor --summary</translation>
    </message>
    <message>
        <source>%1 unidades (%2 execuções): %3 aprovadas, %4 reprovadas, %5 interrompidas, %6 em andamento</source>
        <translation>%1 units (%2 runs): %3 passed, %4 failed, %5 interrupted, %6 running</translation>
    </message>
    <message>
        <source>Motivos de falha (unidades):</source>
        <translation>Failure reasons (units):</translation>
    </message>
    <message>
        <source>aprovado</source>
        <translation>passed</translation>
    </message>
    <message>
        <source>reprovado</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>em andamento</source>
        <translation>running</translation>
    </message>
    <message>
        <source>guardando cópia do Vek</source>
        <translation>keeping a copy of the Vek</translation>
    </message>
    <message>
        <source>%1 registros na fila local de %2: seguem na próxima execução ou com `vektool-cli records sync`</source>
        <translation>%1 records in the local queue of %2: they go with the next run or with `vektool-cli records sync`</translation>
    </message>
    <message>
        <source>Todos os registros chegaram ao servidor %1</source>
        <translation>All records reached the server %1</translation>
    </message>
    <message>
        <source>A fila local de %1 não pôde ser lida: confira com `vektool-cli records sync`</source>
        <translation>The local queue of %1 could not be read: check with `vektool-cli records sync`</translation>
    </message>
    <message>
        <source>Portas vigiadas: %1</source>
        <translation>Ports watched: %1</translation>
    </message>
    <message>
        <source>Portas vigiadas: toda porta serial USB que aparecer%1</source>
        <translation>Ports watched: every USB serial port that appears%1</translation>
    </message>
    <message>
        <source>, e %1</source>
        <translation>, and %1</translation>
    </message>
    <message>
        <source>Nenhuma porta serial USB presente agora: a estação espera um Vek ser conectado (Ctrl+C encerra)</source>
        <translation>No USB serial port present now: the station waits for a Vek to be connected (Ctrl+C ends)</translation>
    </message>
    <message>
        <source>%1: %2 registros enviados, %3 na fila local</source>
        <translation>%1: %2 records sent, %3 in the local queue</translation>
    </message>
    <message>
        <source>%1: sem resposta; %2 registros continuam na fila local (%3)</source>
        <translation>%1: no answer; %2 records stay in the local queue (%3)</translation>
    </message>
    <message>
        <source>Nada na fila local %1: todos os registros já estão nos servidores</source>
        <translation>Nothing in the local queue %1: every record is already on its server</translation>
    </message>
    <message>
        <source>%1 registros de uma versão anterior não dizem a que servidor vão: use --db para enviá-los</source>
        <translation>%1 records from an earlier version do not say which server they go to: use --db to send them</translation>
    </message>
    <message>
        <source>(na fila local)</source>
        <translation>(in the local queue)</translation>
    </message>
    <message>
        <source>sem notícia desde %1 (estação %2)</source>
        <translation>without news since %1 (station %2)</translation>
    </message>
    <message>
        <source>Rendimento final %1 · primeira passagem %2 · retrabalho %3 unidades · sem notícia %4</source>
        <translation>Final yield %1 · first pass %2 · rework %3 units · without news %4</translation>
    </message>
    <message>
        <source>Estação %1: %2</source>
        <translation>Station %1: %2</translation>
    </message>
</context>
<context>
    <name>transfer</name>
    <message>
        <source>Iniciando atualização...</source>
        <translation>Starting update...</translation>
    </message>
    <message>
        <source>Atualizando firmware...</source>
        <translation>Updating firmware...</translation>
    </message>
    <message>
        <source>Atualizando configuração...</source>
        <translation>Updating configuration...</translation>
    </message>
    <message>
        <source>Atualização concluída com sucesso!</source>
        <translation>Update completed successfully!</translation>
    </message>
    <message>
        <source>Buscando configuração interna...</source>
        <translation>Fetching internal configuration...</translation>
    </message>
</context>
<context>
    <name>unit</name>
    <message>
        <source>Conexão aberta...</source>
        <translation>Connection open...</translation>
    </message>
    <message>
        <source>Conexão fechada...</source>
        <translation>Connection closed...</translation>
    </message>
    <message>
        <source>Não foi possível abrir a porta %1: ela não existe. Confira o cabo USB e escolha a porta de novo na lista.</source>
        <translation>Port %1 could not be opened: it does not exist. Check the USB cable and choose the port again from the list.</translation>
    </message>
    <message>
        <source>Não foi possível abrir a porta %1: ela está em uso por outro programa. Feche o outro programa e tente de novo.</source>
        <translation>Port %1 could not be opened: another program is using it. Close the other program and try again.</translation>
    </message>
    <message>
        <source>Não foi possível abrir a porta %1: sem permissão de acesso.</source>
        <translation>Port %1 could not be opened: no permission to access it.</translation>
    </message>
    <message>
        <source> Adicione seu usuário ao grupo dialout (sudo usermod -aG dialout $USER) e entre de novo na sessão.</source>
        <translation> Add your user to the dialout group (sudo usermod -aG dialout $USER) and log in again.</translation>
    </message>
    <message>
        <source>Não foi possível abrir a porta %1: %2</source>
        <translation>Port %1 could not be opened: %2</translation>
    </message>
    <message>
        <source>Nenhum Vek respondeu na porta %1. Confira se é a porta certa e se o cabo USB está bem conectado.</source>
        <translation>No Vek answered on port %1. Check that it is the right port and that the USB cable is plugged in firmly.</translation>
    </message>
    <message>
        <source>Cópia da configuração do Vek guardada: %1</source>
        <translation>Backup of the Vek&apos;s configuration kept: %1</translation>
    </message>
    <message>
        <source>não é um documento JSON</source>
        <translation>is not a JSON document</translation>
    </message>
    <message>
        <source>não é uma cópia de configuração do VekTool</source>
        <translation>is not a VekTool configuration backup</translation>
    </message>
    <message>
        <source>versão de cópia desconhecida</source>
        <translation>unknown backup version</translation>
    </message>
    <message>
        <source>a imagem não tem %1 bytes em hexadecimal</source>
        <translation>the image does not hold %1 bytes in hexadecimal</translation>
    </message>
    <message>
        <source>não foi possível ler %1: %2</source>
        <translation>could not read %1: %2</translation>
    </message>
    <message>
        <source>%1 é grande demais para uma cópia de configuração (mais de 1 MB)</source>
        <translation>%1 is too large for a configuration backup (over 1 MB)</translation>
    </message>
    <message>
        <source>não foi possível criar a pasta %1</source>
        <translation>the folder %1 could not be created</translation>
    </message>
    <message>
        <source>não foi possível gravar a cópia %1: %2</source>
        <translation>the backup %1 could not be written: %2</translation>
    </message>
    <message>
        <source>não foi possível criar a pasta %1: %2 é um arquivo, não uma pasta</source>
        <translation>could not create the folder %1: %2 is a file, not a folder</translation>
    </message>
    <message>
        <source>não foi possível criar a pasta %1: %2 é um link para %3, que não existe</source>
        <translation>could not create the folder %1: %2 is a link to %3, which does not exist</translation>
    </message>
    <message>
        <source>%1 não é uma cópia (%2) e não pôde ser posto de lado em %3: %4</source>
        <translation>%1 is not a backup (%2) and could not be set aside in %3: %4</translation>
    </message>
</context>
<context>
    <name>words</name>
    <message>
        <source>a atualização do firmware</source>
        <translation>the firmware update</translation>
    </message>
    <message>
        <source>a gravação da configuração</source>
        <translation>writing the configuration</translation>
    </message>
    <message>
        <source>a leitura da configuração</source>
        <translation>reading the configuration</translation>
    </message>
    <message>
        <source>a conferência da configuração</source>
        <translation>checking the configuration</translation>
    </message>
    <message>
        <source>nenhum Vek respondeu na porta</source>
        <translation>no Vek answered on the port</translation>
    </message>
    <message>
        <source>o Vek foi desconectado</source>
        <translation>the Vek was disconnected</translation>
    </message>
    <message>
        <source>o Vek foi desconectado durante %1 (Nacks %2, Code10 %3, Code15 %4, Code20 %5)</source>
        <translation>the Vek was disconnected during %1 (Nacks %2, Code10 %3, Code15 %4, Code20 %5)</translation>
    </message>
    <message>
        <source>o Vek parou de responder durante %1 (Nacks %2, Code10 %3, Code15 %4, Code20 %5)</source>
        <translation>the Vek stopped answering during %1 (Nacks %2, Code10 %3, Code15 %4, Code20 %5)</translation>
    </message>
    <message>
        <source>o Vek está em modo de operação</source>
        <translation>the Vek is in operation mode</translation>
    </message>
    <message>
        <source>este tipo de Vek (%1) não é atendido por esta ferramenta</source>
        <translation>this type of Vek (%1) is not served by this tool</translation>
    </message>
    <message>
        <source>este tipo de Vek (%1) está descontinuado e não recebe o firmware desta ferramenta</source>
        <translation>this type of Vek (%1) is discontinued and does not take this tool&apos;s firmware</translation>
    </message>
    <message>
        <source>o Vek precisa de novo firmware antes de ser configurado: nada foi gravado</source>
        <translation>the Vek needs new firmware before it can be configured: nothing was written</translation>
    </message>
    <message>
        <source>o novo firmware não foi aceito: o Vek voltou com a versão %1</source>
        <translation>the new firmware was not taken: the Vek came back with version %1</translation>
    </message>
    <message>
        <source>o Vek não voltou a se identificar depois do novo firmware</source>
        <translation>the Vek did not identify itself again after the new firmware</translation>
    </message>
    <message>
        <source>outro Vek voltou na porta (Id: %1) no lugar do que recebeu o firmware (Id: %2)</source>
        <translation>another Vek came back on the port (Id: %1) instead of the one that received the firmware (Id: %2)</translation>
    </message>
    <message>
        <source>a configuração guardada no Vek é inválida</source>
        <translation>the configuration held by the Vek is invalid</translation>
    </message>
    <message>
        <source>o campo %1 não aceita &quot;%2&quot;</source>
        <translation>the field %1 does not take &quot;%2&quot;</translation>
    </message>
    <message>
        <source>o campo %1 não aceita &quot;%2&quot; (permitido: %3 a %4 %5)</source>
        <translation>the field %1 does not take &quot;%2&quot; (allowed: %3 to %4 %5)</translation>
    </message>
    <message>
        <source>o campo %1 foi recusado</source>
        <translation>the field %1 was refused</translation>
    </message>
    <message>
        <source>nada foi escolhido no campo %1</source>
        <translation>nothing was chosen in the field %1</translation>
    </message>
    <message>
        <source>a configuração lida de volta difere da gravada a partir do byte %1 (gravado 0x%2, lido 0x%3)</source>
        <translation>the configuration read back differs from the one written from byte %1 on (written 0x%2, read 0x%3)</translation>
    </message>
    <message>
        <source>interrompido</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>interrompido durante %1</source>
        <translation>interrupted during %1</translation>
    </message>
    <message>
        <source>outro trabalho está em andamento neste Vek</source>
        <translation>other work is under way on this Vek</translation>
    </message>
    <message>
        <source>o Vek na porta não é aquele para o qual a ação foi pedida</source>
        <translation>the Vek on the port is not the one the action was asked for</translation>
    </message>
    <message>
        <source>nenhum Vek se identificou nesta conexão</source>
        <translation>no Vek has identified itself on this connection</translation>
    </message>
    <message>
        <source>a cópia do que o Vek guarda não pôde ser guardada em %1 (%2): nada foi alterado no Vek</source>
        <translation>the copy of what the Vek holds could not be kept in %1 (%2): nothing was changed on the Vek</translation>
    </message>
    <message>
        <source>a cópia não é uma configuração válida: nada foi gravado</source>
        <translation>the copy is not a valid configuration: nothing was written</translation>
    </message>
    <message>
        <source>identificador repetido: o mesmo Id está na porta %1</source>
        <translation>repeated identifier: the same Id is on port %1</translation>
    </message>
    <message>
        <source>confira se é a porta certa e se o cabo USB está bem conectado</source>
        <translation>check that it is the right port and that the USB cable is firmly connected</translation>
    </message>
    <message>
        <source>conecte o Vek de novo</source>
        <translation>connect the Vek again</translation>
    </message>
    <message>
        <source>o Vek ficou no carregador: conecte de novo para gravar o firmware</source>
        <translation>the Vek was left in its loader: connect it again to write the firmware</translation>
    </message>
    <message>
        <source>a configuração do Vek ficou incompleta: conecte de novo e grave outra vez</source>
        <translation>the Vek&apos;s configuration was left incomplete: connect it again and write it once more</translation>
    </message>
    <message>
        <source>a gravação não foi confirmada: conecte de novo e grave outra vez</source>
        <translation>the write was not confirmed: connect the Vek again and write it once more</translation>
    </message>
    <message>
        <source>conecte de novo para ler a configuração</source>
        <translation>connect the Vek again to read its configuration</translation>
    </message>
    <message>
        <source>desconecte os chicotes, deixe só o cabo USB e conecte de novo</source>
        <translation>disconnect the harnesses, leave only the USB cable and connect again</translation>
    </message>
    <message>
        <source>fale com o fabricante para mais informações</source>
        <translation>ask the manufacturer for more information</translation>
    </message>
    <message>
        <source>atualize o firmware primeiro e grave depois</source>
        <translation>update the firmware first, then write</translation>
    </message>
    <message>
        <source>rode &apos;vektool-cli flash&apos; primeiro</source>
        <translation>run &apos;vektool-cli flash&apos; first</translation>
    </message>
    <message>
        <source>conecte de novo para gravar o firmware outra vez</source>
        <translation>connect the Vek again to write the firmware once more</translation>
    </message>
    <message>
        <source>conecte o Vek de novo: se ele ainda estiver no carregador, o firmware é gravado outra vez</source>
        <translation>connect the Vek again: if it is still in its loader, the firmware is written once more</translation>
    </message>
    <message>
        <source>conecte de novo o Vek %1 para confirmar o novo firmware</source>
        <translation>connect the Vek %1 again to confirm the new firmware</translation>
    </message>
    <message>
        <source>grave uma configuração válida</source>
        <translation>write a valid configuration</translation>
    </message>
    <message>
        <source>grave uma com &apos;vektool-cli write&apos;</source>
        <translation>write one with &apos;vektool-cli write&apos;</translation>
    </message>
    <message>
        <source>corrija o campo e grave de novo: nada foi enviado ao Vek</source>
        <translation>correct the field and write again: nothing was sent to the Vek</translation>
    </message>
    <message>
        <source>grave novamente</source>
        <translation>write it again</translation>
    </message>
    <message>
        <source>espere ele terminar</source>
        <translation>wait for it to finish</translation>
    </message>
    <message>
        <source>abra a porta de novo para identificar o Vek que está nela</source>
        <translation>open the port again to identify the Vek that is on it</translation>
    </message>
    <message>
        <source>conecte o Vek e espere ele se identificar</source>
        <translation>connect the Vek and wait for it to identify itself</translation>
    </message>
    <message>
        <source>libere a pasta de cópias e tente de novo</source>
        <translation>free the backup folder and try again</translation>
    </message>
    <message>
        <source>libere a pasta de cópias ou, para seguir sem cópia, use --no-backup</source>
        <translation>free the backup folder or, to go on without a copy, use --no-backup</translation>
    </message>
    <message>
        <source>escolha outra cópia</source>
        <translation>choose another copy</translation>
    </message>
    <message>
        <source>para gravar esses bytes assim mesmo, use --allow-invalid</source>
        <translation>to write those bytes all the same, use --allow-invalid</translation>
    </message>
    <message>
        <source>separe os dois Vek e confira as etiquetas</source>
        <translation>set both Veks aside and check their labels</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>nenhum Vek respondeu</source>
        <translation>no Vek answered</translation>
    </message>
    <message>
        <source>Vek desconectado</source>
        <translation>Vek disconnected</translation>
    </message>
    <message>
        <source>Vek parou de responder</source>
        <translation>Vek stopped answering</translation>
    </message>
    <message>
        <source>Vek em modo de operação</source>
        <translation>Vek in operation mode</translation>
    </message>
    <message>
        <source>tipo de Vek não atendido</source>
        <translation>Vek type not served</translation>
    </message>
    <message>
        <source>tipo de Vek descontinuado</source>
        <translation>discontinued Vek type</translation>
    </message>
    <message>
        <source>Vek precisa de novo firmware</source>
        <translation>Vek needs new firmware</translation>
    </message>
    <message>
        <source>novo firmware não aceito</source>
        <translation>new firmware not taken</translation>
    </message>
    <message>
        <source>Vek não voltou depois do firmware</source>
        <translation>Vek did not come back after the firmware</translation>
    </message>
    <message>
        <source>outro Vek voltou depois do firmware</source>
        <translation>another Vek came back after the firmware</translation>
    </message>
    <message>
        <source>configuração inválida no Vek</source>
        <translation>invalid configuration on the Vek</translation>
    </message>
    <message>
        <source>configuração recusada</source>
        <translation>configuration refused</translation>
    </message>
    <message>
        <source>leitura de volta difere da gravação</source>
        <translation>read-back differs from the write</translation>
    </message>
    <message>
        <source>outro trabalho em andamento</source>
        <translation>other work under way</translation>
    </message>
    <message>
        <source>Vek diferente do pedido</source>
        <translation>not the Vek asked for</translation>
    </message>
    <message>
        <source>Vek não identificado</source>
        <translation>Vek not identified</translation>
    </message>
    <message>
        <source>cópia não guardada</source>
        <translation>copy not kept</translation>
    </message>
    <message>
        <source>cópia inválida</source>
        <translation>invalid copy</translation>
    </message>
    <message>
        <source>identificador repetido</source>
        <translation>repeated identifier</translation>
    </message>
    <message>
        <source>registro não gravado</source>
        <translation>record not written</translation>
    </message>
    <message>
        <source>sem motivo registrado</source>
        <translation>no reason recorded</translation>
    </message>
    <message>
        <source>o registro não pôde ser gravado, o Vek não foi alterado: %1</source>
        <translation>the record could not be written, the Vek was not changed: %1</translation>
    </message>
    <message>
        <source>confira o banco de registros e passe o Vek de novo</source>
        <translation>check the records database and run the Vek again</translation>
    </message>
    <message>
        <source>a estação foi parada pelo operador</source>
        <translation>the station was stopped by the operator</translation>
    </message>
    <message>
        <source>a estação foi parada pelo operador durante %1</source>
        <translation>the station was stopped by the operator during %1</translation>
    </message>
    <message>
        <source>a estação parou antes do fim da execução</source>
        <translation>the station stopped before the end of the run</translation>
    </message>
    <message>
        <source>Erro</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>A operação não foi concluida!<byte value="xd"/>
Nacks = %1<byte value="xd"/>
Code10 = %2<byte value="xd"/>
Code15 = %3<byte value="xd"/>
Code20 = %4</source>
        <translation>The operation was not completed!<byte value="xd"/>
Nacks = %1<byte value="xd"/>
Code10 = %2<byte value="xd"/>
Code15 = %3<byte value="xd"/>
Code20 = %4</translation>
    </message>
    <message>
        <source>Não há conexão ativa!</source>
        <translation>There is no active connection!</translation>
    </message>
    <message>
        <source>ERRO #0x01</source>
        <translation>ERROR #0x01</translation>
    </message>
    <message>
        <source>ERRO #0x02</source>
        <translation>ERROR #0x02</translation>
    </message>
    <message>
        <source>A operação não pode ser concluida!</source>
        <translation>The operation could not be completed!</translation>
    </message>
    <message>
        <source>ERRO #0x03</source>
        <translation>ERROR #0x03</translation>
    </message>
    <message>
        <source>ERRO #0x04</source>
        <translation>ERROR #0x04</translation>
    </message>
    <message>
        <source>o Vek foi desconectado durante %1</source>
        <translation>the Vek was disconnected during %1</translation>
    </message>
    <message>
        <source>o Vek parou de responder durante %1</source>
        <translation>the Vek stopped answering during %1</translation>
    </message>
</context>
</TS>
