<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>CliText</name>
    <message>
        <source>network needs load or save.</source>
        <translation>network には load または save を指定してください。</translation>
    </message>
    <message>
        <source>network needs load or save, not %1.</source>
        <translation>network には load または save を指定してください（%1 は指定できません）。</translation>
    </message>
    <message>
        <source>%1 needs the name of a network settings file.</source>
        <translation>%1 にはネットワーク設定ファイルの名前を指定してください。</translation>
    </message>
    <message>
        <source>power-off needs off, 15, 30 or 60.</source>
        <translation>power-off には off、15、30、60 のいずれかを指定してください。</translation>
    </message>
    <message>
        <source>register needs white or ambient.</source>
        <translation>register には white または ambient を指定してください。</translation>
    </message>
    <message>
        <source>register needs the name of a calibration value file.</source>
        <translation>register には校正値ファイルの名前を指定してください。</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>コマンドが指定されていません。</translation>
    </message>
    <message>
        <source>Unknown command: %1</source>
        <translation>不明なコマンド: %1</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>余分な引数: %1</translation>
    </message>
    <message>
        <source>Give one target only: --port, --serial or --all.</source>
        <translation>対象は --port、--serial、--all のいずれか一つだけを指定してください。</translation>
    </message>
    <message>
        <source>%1 needs a value.</source>
        <translation>%1 には値を指定してください。</translation>
    </message>
    <message>
        <source>%1 takes no value.</source>
        <translation>%1 には値を指定できません。</translation>
    </message>
    <message>
        <source>--port needs the number of an instrument as kt9-cli list shows it, not %1.</source>
        <translation>--port には kt9-cli list が表示する測定器の番号を指定してください（%1 は指定できません）。</translation>
    </message>
    <message>
        <source>--serial needs a serial number of up to 8 digits, not %1.</source>
        <translation>--serial には 8 桁以内のシリアル番号を指定してください（%1 は指定できません）。</translation>
    </message>
    <message>
        <source>--lang needs en or ja, not %1.</source>
        <translation>--lang には en または ja を指定してください（%1 は指定できません）。</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>不明なオプション: %1</translation>
    </message>
    <message>
        <source>%1 does not take %2.</source>
        <translation>%1 では %2 は使えません。</translation>
    </message>
    <message>
        <source>%1 works on exactly one instrument: choose it with --port or --serial.</source>
        <translation>%1 は 1 台の測定器だけを対象とします。--port または --serial で指定してください。</translation>
    </message>
    <message>
        <source>unknown mode %1</source>
        <translation>不明なモード %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>FAILED</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>NOT DONE</source>
        <translation>未実施</translation>
    </message>
    <message>
        <source>Instrument %1 of %2: %3</source>
        <translation>測定器 %1/%2: %3</translation>
    </message>
    <message>
        <source>%1 instruments are listed: choose one with --port N or --serial NNNNNNNN.</source>
        <translation>測定器が %1 台あります。--port N または --serial NNNNNNNN で 1 台を指定してください。</translation>
    </message>
    <message>
        <source>%1 instruments are listed: choose one with --port N or --serial NNNNNNNN, or all of them with --all.</source>
        <translation>測定器が %1 台あります。--port N または --serial NNNNNNNN で 1 台を指定するか、--all ですべてを指定してください。</translation>
    </message>
    <message>
        <source>--port %1: there is no such instrument; %2 are listed.</source>
        <translation>--port %1: この番号の測定器はありません。一覧には %2 台あります。</translation>
    </message>
    <message>
        <source>--serial %1: no instrument with this serial number is listed.</source>
        <translation>--serial %1: このシリアル番号の測定器は一覧にありません。</translation>
    </message>
    <message>
        <source>--serial %1: %2 instruments have this serial number; choose one with --port.</source>
        <translation>--serial %1: このシリアル番号の測定器が %2 台あります。--port で 1 台を指定してください。</translation>
    </message>
    <message>
        <source>Wireless LAN module</source>
        <translation>無線LANモジュール</translation>
    </message>
    <message>
        <source>enabled</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>disabled</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>No change.</source>
        <translation>変更はありません。</translation>
    </message>
    <message>
        <source>Summary (dry run, nothing written): %1 of %2 passed the checks.</source>
        <translation>結果（ドライラン、書き込みなし）: %2 台中 %1 台が確認を通りました。</translation>
    </message>
    <message>
        <source>Summary: %1 of %2 succeeded.</source>
        <translation>結果: %2 台中 %1 台が成功しました。</translation>
    </message>
    <message>
        <source>Failed: %1.</source>
        <translation>失敗: %1。</translation>
    </message>
    <message>
        <source>Not done: %1.</source>
        <translation>未実施: %1。</translation>
    </message>
    <message>
        <source>Stopped by Ctrl+C after the instrument in progress had finished and was disconnected. Done: %1.</source>
        <translation>Ctrl+C により、処理中の測定器の完了と切断を待って停止しました。完了: %1。</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Try kt9-cli --help for more information.</source>
        <translation>詳しくは kt9-cli --help を参照してください。</translation>
    </message>
    <message>
        <source>Standard output is closed.</source>
        <translation>標準出力が閉じられています。</translation>
    </message>
    <message>
        <source>Standard output could not be written: %1</source>
        <translation>標準出力に書き込めませんでした: %1</translation>
    </message>
    <message>
        <source>Stopped because standard output could not be written, after the instrument in progress had finished and was disconnected. Done: %1.</source>
        <translation>標準出力に書き込めなかったため、処理中の測定器の完了と切断を待って停止しました。完了: %1。</translation>
    </message>
    <message>
        <source>Not reached: instruments the instrument library reports but could not list: %1.</source>
        <translation>未到達: 測定器ライブラリが報告したものの一覧に取得できなかった測定器: %1 台。</translation>
    </message>
    <message>
        <source>Failed to read whether the wireless LAN module is enabled.</source>
        <translation>無線LANモジュールが有効かどうかを読み込めませんでした。</translation>
    </message>
    <message>
        <source>%1: not an instrument backup of kt9-cli.</source>
        <translation>%1: kt9-cli の測定器バックアップではありません。</translation>
    </message>
    <message>
        <source>%1: the backup of serial number %2 is in the folder of another instrument.</source>
        <translation>%1: シリアル番号 %2 のバックアップが別の測定器のフォルダーにあります。</translation>
    </message>
    <message>
        <source>%1: the file does not match its SHA-256 in instrument.json.</source>
        <translation>%1: ファイルが instrument.json の SHA-256 と一致しません。</translation>
    </message>
    <message>
        <source>%1: the power-off time is not off, 15, 30 or 60.</source>
        <translation>%1: 自動電源オフ時間が off、15、30、60 のいずれでもありません。</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>フォルダー %1 を作成できません</translation>
    </message>
    <message>
        <source>The network settings cannot be written as a network settings file; they are kept in instrument.json.</source>
        <translation>ネットワーク設定はネットワーク設定ファイルに書けないため、instrument.json に保存しました。</translation>
    </message>
    <message>
        <source>The white calibration plate values cannot be written as a calibration value file; they are kept in instrument.json.</source>
        <translation>白色校正板の値は校正値ファイルに書けないため、instrument.json に保存しました。</translation>
    </message>
    <message>
        <source>The ambient light adapter values cannot be written as a calibration value file; they are kept in instrument.json.</source>
        <translation>環境光アダプターの値は校正値ファイルに書けないため、instrument.json に保存しました。</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>%1: no such folder.</source>
        <translation>%1: フォルダーがありません。</translation>
    </message>
    <message>
        <source>cannot create a folder in %1</source>
        <translation>%1 にフォルダーを作成できません</translation>
    </message>
    <message>
        <source>cannot lock %1</source>
        <translation>%1 をロックできません</translation>
    </message>
    <message>
        <source>not a change record of kt9-cli</source>
        <translation>kt9-cli の変更記録ではありません</translation>
    </message>
    <message>
        <source>%1 needs the name of a backup folder.</source>
        <translation>%1 にはバックアップフォルダーの名前が必要です。</translation>
    </message>
    <message>
        <source>Give --record FILE or --no-record, not both.</source>
        <translation>--record FILE と --no-record のどちらか一方を指定してください。</translation>
    </message>
    <message>
        <source>Skipped: %1.</source>
        <translation>スキップ: %1。</translation>
    </message>
    <message>
        <source>No backup of this instrument in %1.</source>
        <translation>%1 にこの測定器のバックアップはありません。</translation>
    </message>
    <message>
        <source>The change record %1 cannot be written: %2</source>
        <translation>変更記録 %1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>The current calibration references could not be saved (%1); nothing was written.</source>
        <translation>現在の校正基準値を保存できませんでした（%1）。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>Current calibration references saved in %1.</source>
        <translation>現在の校正基準値を %1 に保存しました。</translation>
    </message>
    <message>
        <source>%1 already exists; --force replaces it.</source>
        <translation>%1 はすでにあります。--force を付けると置き換えます。</translation>
    </message>
    <message>
        <source>Saved in %1.</source>
        <translation>%1 に保存しました。</translation>
    </message>
    <message>
        <source>(other values)</source>
        <translation>（値が異なります）</translation>
    </message>
    <message>
        <source>The instrument reports serial number %1; the backup of %2 is not applied to it.</source>
        <translation>測定器のシリアル番号は %1 です。%2 のバックアップは適用しません。</translation>
    </message>
    <message>
        <source>SKIPPED</source>
        <translation>スキップ</translation>
    </message>
    <message>
        <source>No change recorded in %1.</source>
        <translation>%1 に記録された変更はありません。</translation>
    </message>
    <message>
        <source>%1: not a regular file.</source>
        <translation>%1: 通常のファイルではありません。</translation>
    </message>
    <message>
        <source>%1: instrument.json lacks settings of the backup or contradicts itself.</source>
        <translation>%1: instrument.json にバックアップの設定が欠けているか、内容が矛盾しています。</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>%1: the name is not text in the system&apos;s encoding.</source>
        <translation>%1: 名前がシステムの文字コードのテキストではありません。</translation>
    </message>
    <message>
        <source>apply needs the name of a plan file (CSV).</source>
        <translation>apply には計画ファイル（CSV）の名前が必要です。</translation>
    </message>
    <message>
        <source>Usage:
  kt9-cli list [--json]
  kt9-cli show [TARGET] [--json] [--show-key]
  kt9-cli network load FILE.ini [TARGET] [--dry-run] [--show-key]
  kt9-cli network save FILE.ini [TARGET]
  kt9-cli power-off (off|15|30|60) [TARGET] [--dry-run]
  kt9-cli register (white|ambient) FILE.csv [TARGET] [--dry-run]
  kt9-cli backup DIR [TARGET] [--force]
  kt9-cli restore DIR [TARGET] [--calibration] [--dry-run] [--show-key]
  kt9-cli apply PLAN.csv [--dry-run] [--show-key]
  kt9-cli history [--serial NNNNNNNN] [--json]
  kt9-cli --help | --version

Configures KT-9 instruments from the command line, one or many at once: each
instrument is connected, configured and disconnected in turn.

TARGET:
  --port N           the N-th instrument of kt9-cli list
  --serial NNNNNNNN  the instrument with this serial number
  --all              every instrument listed (not with network save or register)
  Without a target the only instrument listed; with several, name one.

Options:
  --dry-run     connect, read and check, show what would change, write nothing
  --json        print the result as one JSON document
  --show-key    show the security key instead of ***
  --lang en|ja  language of the messages (default: from the locale)

Backup and restore:
  backup writes DIR/SERIAL/ for each instrument (network.ini, white.csv,
  ambient.csv, instrument.json), readable by you alone: it holds the key.
  --force          replace an instrument&apos;s existing backup
  restore puts back the network settings and the power-off time of each
  instrument that has a folder with its own serial number in DIR.
  --calibration    also the calibration references (same serial only)
  register and restore --calibration first save the references they
  overwrite in DATA/kt9-config/backups/SERIAL/TIME/ (DATA: your data folder).

Fleet plan (apply):
  a CSV file, one row per instrument, a header row naming the columns:
  serial (required), wireless_lan (on/off), ssid, key, dhcp (on/off), ip,
  mask, gateway, dns, power_off (off/15/30/60); separator , or ;. An empty
  cell keeps the instrument&apos;s setting; an address needs dhcp off in its row.
  Every row is checked before any instrument is touched; each instrument is
  written only where it differs (changed / unchanged). Listed instruments
  without a row are not touched.

Change record (every run that writes to instruments, one line per change):
  --record FILE    append to FILE (default: KT9_RECORD, else
                   DATA/kt9-config/changes.csv)
  --no-record      record nothing
  history prints the record; --serial shows one instrument&apos;s changes.

Exit status: 0 all succeeded, 1 an instrument failed or was not reached,
2 usage error, unreadable input file, a backup or plan that fails its check, or
one static address for several instruments (then nothing was written).
</source>
        <translation>使い方:
  kt9-cli list [--json]
  kt9-cli show [TARGET] [--json] [--show-key]
  kt9-cli network load FILE.ini [TARGET] [--dry-run] [--show-key]
  kt9-cli network save FILE.ini [TARGET]
  kt9-cli power-off (off|15|30|60) [TARGET] [--dry-run]
  kt9-cli register (white|ambient) FILE.csv [TARGET] [--dry-run]
  kt9-cli backup DIR [TARGET] [--force]
  kt9-cli restore DIR [TARGET] [--calibration] [--dry-run] [--show-key]
  kt9-cli apply PLAN.csv [--dry-run] [--show-key]
  kt9-cli history [--serial NNNNNNNN] [--json]
  kt9-cli --help | --version

KT-9 測定器をコマンドラインから設定します。1 台でも複数台でも、測定器ごとに
順に接続、設定、切断を行います。

TARGET:
  --port N           kt9-cli list の N 番目の測定器
  --serial NNNNNNNN  このシリアル番号の測定器
  --all              一覧のすべての測定器（network save と register では使えません）
  指定しない場合は一覧にある唯一の測定器。複数ある場合は指定が必要です。

オプション:
  --dry-run     接続、読み込み、確認だけを行い、変わる内容を表示します。書き込みはしません
  --json        結果を一つの JSON 文書として出力します
  --show-key    セキュリティキーを *** ではなくそのまま表示します
  --lang en|ja  メッセージの言語（既定: ロケールに従う）

バックアップと復元:
  backup は測定器ごとに DIR/シリアル番号/ を作ります（network.ini、white.csv、
  ambient.csv、instrument.json）。キーを含むため、本人だけが読めるフォルダーです。
  --force          測定器の既存のバックアップを置き換えます
  restore は DIR に自分のシリアル番号のフォルダーがある測定器に、ネットワーク設定と
  自動電源オフ時間を書き戻します。
  --calibration    校正基準値も書き戻します（同じシリアル番号の測定器だけ）
  register と restore --calibration は、上書きする基準値を先に
  DATA/kt9-config/backups/シリアル番号/時刻/ に保存します（DATA: ユーザーのデータフォルダー）。

フリート計画（apply）:
  測定器 1 台につき 1 行の CSV ファイル。見出し行で列を指定します:
  serial（必須）、wireless_lan（on/off）、ssid、key、dhcp（on/off）、ip、
  mask、gateway、dns、power_off（off/15/30/60）。区切りは , または ;。空のセルは
  測定器の設定をそのまま残します。アドレスを指定する行には dhcp off が必要です。
  どの測定器にも触れる前にすべての行を確認し、各測定器には違う所だけを書き込みます
  （changed / unchanged）。計画に行のない一覧の測定器には触れません。

変更記録（測定器に書き込む実行ごとに、変更 1 件につき 1 行）:
  --record FILE    FILE に追記します（既定: KT9_RECORD、なければ
                   DATA/kt9-config/changes.csv）
  --no-record      記録しません
  history は記録を表示します。--serial で 1 台の変更だけを表示します。

終了ステータス: 0 すべて成功、1 失敗した測定器または処理しなかった測定器がある、
2 使い方の誤り、入力ファイルを読めない、バックアップまたは計画が確認に通らない、
または一つの固定アドレスを複数の測定器に与えようとした（このときは何も書き込みません）。
</translation>
    </message>
    <message>
        <source>Changed: %1, unchanged: %2.</source>
        <translation>変更: %1、変更なし: %2。</translation>
    </message>
    <message>
        <source>Listed but not in the plan, not touched: %1.</source>
        <translation>一覧にあるが計画にない（触れていない）: %1。</translation>
    </message>
    <message>
        <source>Not reachable: no instrument with this serial number is listed.</source>
        <translation>到達できません: このシリアル番号の測定器は一覧にありません。</translation>
    </message>
    <message>
        <source>%1 instruments with this serial number are listed; none of them is written.</source>
        <translation>このシリアル番号の測定器が一覧に %1 台あります。どれにも書き込みません。</translation>
    </message>
    <message>
        <source>UNCHANGED</source>
        <translation>変更なし</translation>
    </message>
    <message>
        <source>WOULD CHANGE</source>
        <translation>変更予定</translation>
    </message>
    <message>
        <source>CHANGED</source>
        <translation>変更</translation>
    </message>
    <message>
        <source>row %1: %2</source>
        <translation>%1 行目: %2</translation>
    </message>
    <message>
        <source>row %1, column %2: %3</source>
        <translation>%1 行目、列 %2: %3</translation>
    </message>
    <message>
        <source>%1 bytes; the instrument takes at most %2.</source>
        <translation>%1 バイトあります。測定器が受け付けるのは %2 バイトまでです。</translation>
    </message>
    <message>
        <source>a control character, which the instrument cannot take.</source>
        <translation>制御文字を含みます。測定器は受け付けません。</translation>
    </message>
    <message>
        <source>needs a serial number of up to 8 digits, not %1.</source>
        <translation>8 桁までのシリアル番号が必要です（%1 ではなく）。</translation>
    </message>
    <message>
        <source>needs on or off, not %1.</source>
        <translation>on または off が必要です（%1 ではなく）。</translation>
    </message>
    <message>
        <source>needs an address such as 192.168.0.10 (four numbers from 0 to 255), not %1.</source>
        <translation>192.168.0.10 のようなアドレス（0 から 255 の数四つ）が必要です（%1 ではなく）。</translation>
    </message>
    <message>
        <source>needs off, 15, 30 or 60, not %1.</source>
        <translation>off、15、30 または 60 が必要です（%1 ではなく）。</translation>
    </message>
    <message>
        <source>unknown column; the columns are %1.</source>
        <translation>不明な列です。列は %1 です。</translation>
    </message>
    <message>
        <source>the column is named twice.</source>
        <translation>列名が二度あります。</translation>
    </message>
    <message>
        <source>the header row has no column serial.</source>
        <translation>見出し行に serial 列がありません。</translation>
    </message>
    <message>
        <source>serial number %1 is also in row %2.</source>
        <translation>シリアル番号 %1 は %2 行目にもあります。</translation>
    </message>
    <message>
        <source>an address needs dhcp off in the same row.</source>
        <translation>アドレスには同じ行に dhcp off が必要です。</translation>
    </message>
    <message>
        <source>with dhcp on the instrument takes its addresses from the network: leave the addresses empty.</source>
        <translation>dhcp on では測定器はアドレスをネットワークから得ます。アドレスは空にしてください。</translation>
    </message>
    <message>
        <source>a value in a column that the header row does not name.</source>
        <translation>見出し行に名前のない列に値があります。</translation>
    </message>
    <message>
        <source>needs the instrument&apos;s serial number.</source>
        <translation>測定器のシリアル番号が必要です。</translation>
    </message>
    <message>
        <source>the plan cannot be read: %1</source>
        <translation>計画を読めません: %1</translation>
    </message>
    <message>
        <source>the plan is larger than %1 MB.</source>
        <translation>計画が %1 MB を超えています。</translation>
    </message>
    <message>
        <source>a quoted cell is not closed.</source>
        <translation>引用符で囲んだセルが閉じていません。</translation>
    </message>
    <message>
        <source>text after the closing quotation mark.</source>
        <translation>閉じ引用符の後に文字があります。</translation>
    </message>
    <message>
        <source>the plan has no instrument rows.</source>
        <translation>計画に測定器の行がありません。</translation>
    </message>
    <message>
        <source>The static address %1 would be given to more than one instrument: %2. Nothing was written.</source>
        <translation>固定アドレス %1 が複数の測定器に与えられることになります: %2。何も書き込みませんでした。</translation>
    </message>
    <message>
        <source>%1 is a link; restore does not follow it.</source>
        <translation>%1 はリンクです。restore はリンクをたどりません。</translation>
    </message>
    <message>
        <source>Restore would refuse this backup, so it was not saved: %1</source>
        <translation>restore が受け付けないバックアップなので保存しませんでした: %1</translation>
    </message>
    <message>
        <source>%1 is a link or not a folder; backup neither follows nor replaces it.</source>
        <translation>%1 はリンクか、フォルダーではありません。backup はたどることも置き換えることもしません。</translation>
    </message>
    <message>
        <source>Another backup of this instrument into %1 is still running (lock file %2).</source>
        <translation>この測定器の %1 への別のバックアップがまだ実行中です (ロックファイル %2)。</translation>
    </message>
    <message>
        <source>a link, not a file of its own</source>
        <translation>リンクです。独立したファイルではありません</translation>
    </message>
    <message>
        <source>line %1: %2 fields instead of %3</source>
        <translation>%1 行目: 項目が %3 個ではなく %2 個です</translation>
    </message>
    <message>
        <source>line %1: a quoted value is not closed</source>
        <translation>%1 行目: 引用符で囲まれた値が閉じていません</translation>
    </message>
    <message>
        <source>Backups of instruments that are not reachable: %1.</source>
        <translation>接続されていない測定器のバックアップ: %1。</translation>
    </message>
    <message>
        <source>None of the instruments has a backup in %1.</source>
        <translation>%1 にはどの測定器のバックアップもありません。</translation>
    </message>
    <message>
        <source>Stopped by a request to end the program after the instrument in progress had finished and was disconnected. Done: %1.</source>
        <translation>プログラム終了の要求により、処理中の測定器の完了と切断を待って停止しました。完了: %1。</translation>
    </message>
    <message>
        <source>Written, but not recorded.</source>
        <translation>書き込みましたが、記録されていません。</translation>
    </message>
    <message>
        <source>(not written)</source>
        <translation>(書き込まれていません)</translation>
    </message>
    <message>
        <source>%1 belongs to another user or others may change it; restore does not take it.</source>
        <translation>%1 は他のユーザーのもの、または他のユーザーが変更できる状態です。restore はこれを使いません。</translation>
    </message>
    <message>
        <source>%1 belongs to another user or others may change it; backup does not replace it.</source>
        <translation>%1 は他のユーザーのもの、または他のユーザーが変更できる状態です。backup はこれを置き換えません。</translation>
    </message>
    <message>
        <source>%1 holds files that backup did not write; backup does not replace it.</source>
        <translation>%1 には backup が書いていないファイルがあります。backup はこれを置き換えません。</translation>
    </message>
    <message>
        <source>Others may rename or remove what is put into %1 (it belongs to another user, or others may write to it and it lacks the sticky bit); backup does not write into it.</source>
        <translation>%1 に置いたものは他のユーザーが名前を変えたり削除したりできます (他のユーザーのフォルダーか、他のユーザーが書き込めてスティッキービットがありません)。backup はここに書き込みません。</translation>
    </message>
    <message>
        <source>%1 is a link or not a regular file; backup neither follows nor replaces it.</source>
        <translation>%1 はリンクか通常のファイルではありません。backup はたどることも置き換えることもしません。</translation>
    </message>
    <message>
        <source>Stopped because the change record could not be written: no instrument is written that it cannot record. Done: %1.</source>
        <translation>変更記録に書き込めなかったため停止しました。記録できない測定器には書き込みません。完了: %1。</translation>
    </message>
</context>
<context>
    <name>ConnectSelectDialog</name>
    <message>
        <source>Select Device</source>
        <translation>測定器の選択</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>InitSettingDialog</name>
    <message>
        <source>Successful read body data.</source>
        <translation>測定器からデータを読み込みました。</translation>
    </message>
    <message>
        <source>Failed to read automatic shutdown time.</source>
        <translation>自動電源オフ時間の読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to write automatic shutdown time.</source>
        <translation>自動電源オフ時間の書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Successful device writing.</source>
        <translation>測定器への書き込みが完了しました。</translation>
    </message>
    <message>
        <source>Failed to write WhiteCalibPlate data.</source>
        <translation>白色校正板データの書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to write WhiteCalibPlate file.</source>
        <translation>白色校正板ファイルの書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to write AmbientLightAdapter data.</source>
        <translation>環境光アダプターデータの書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to write AmbientLightAdapter file.</source>
        <translation>環境光アダプターファイルの書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>csv(*.csv)</source>
        <translation>CSVファイル (*.csv)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Successful read file data.</source>
        <translation>ファイルを読み込みました。</translation>
    </message>
    <message>
        <source>Failed to read file data.</source>
        <translation>ファイルの読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to connect device.</source>
        <translation>測定器との接続に失敗しました。</translation>
    </message>
    <message>
        <source>Failed to read device data.</source>
        <translation>測定器情報の読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>Wireless LAN is invalid.</source>
        <translation>無線LANは無効です。</translation>
    </message>
    <message>
        <source>Failed to device WhiteCalibPlateSerialNo.</source>
        <translation>測定器の白色校正板シリアル番号の読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to device AmbientLightAdapterSerialNo.</source>
        <translation>測定器の環境光アダプターシリアル番号の読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>The measuring instruments is not connected.</source>
        <translation>測定器が接続されていません。</translation>
    </message>
    <message>
        <source>Failed to device disconnect.</source>
        <translation>測定器の切断に失敗しました。</translation>
    </message>
    <message>
        <source>Failed to disconnect device.</source>
        <translation>終了時の測定器の切断に失敗しました。</translation>
    </message>
    <message>
        <source>The connection with the measuring instrument was disconnected.</source>
        <translation>測定器との接続が切断されました。</translation>
    </message>
    <message>
        <source>Spectrophotometer Configuration Tool KT-9</source>
        <translation>分光測色計 設定ツール KT-9</translation>
    </message>
    <message>
        <source>*(*.*)</source>
        <translation>すべてのファイル (*.*)</translation>
    </message>
    <message>
        <source>Failed to read Network Infomation file data.</source>
        <translation>ネットワーク設定ファイルの読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>ini(*.ini)</source>
        <translation>INIファイル (*.ini)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>The input value is invalid.</source>
        <translation>入力値が正しくありません。</translation>
    </message>
    <message>
        <source>Successful file writing.</source>
        <translation>ファイルに書き込みました。</translation>
    </message>
    <message>
        <source>Failed to write Network Infomation file data.</source>
        <translation>ネットワーク設定ファイルの書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to read Network Infomation data.</source>
        <translation>測定器からのネットワーク設定の読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>Write successful. To reflect, after [Disconnect], turn the power supply of the measuring instrument OFF -&gt; ON.</source>
        <translation>書き込みが完了しました。設定を反映するには、[切断] の後、測定器の電源を OFF → ON してください。</translation>
    </message>
    <message>
        <source>Failed to write Network Infomation data.</source>
        <translation>測定器へのネットワーク設定の書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Wireless LAN</source>
        <translation>無線LAN</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>Access Point</source>
        <translation>アクセスポイント</translation>
    </message>
    <message>
        <source>SSID:</source>
        <translation>SSID:</translation>
    </message>
    <message>
        <source>Security Key:</source>
        <translation>セキュリティキー:</translation>
    </message>
    <message>
        <source>TCP/IP</source>
        <translation>TCP/IP</translation>
    </message>
    <message>
        <source>DHCP:</source>
        <translation>DHCP:</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IPアドレス:</translation>
    </message>
    <message>
        <source>.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>Subnet Mask:</source>
        <translation>サブネットマスク:</translation>
    </message>
    <message>
        <source>Default Gateway:</source>
        <translation>デフォルトゲートウェイ:</translation>
    </message>
    <message>
        <source>DNS Server:</source>
        <translation>DNSサーバー:</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Read From File...</source>
        <translation>ファイルから読み込み...</translation>
    </message>
    <message>
        <source>Write To File...</source>
        <translation>ファイルへ書き込み...</translation>
    </message>
    <message>
        <source>Body</source>
        <translation>本体</translation>
    </message>
    <message>
        <source>Read From Body</source>
        <translation>本体から読み込み</translation>
    </message>
    <message>
        <source>Write To Body</source>
        <translation>本体へ書き込み</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>ネットワーク</translation>
    </message>
    <message>
        <source>Configure auto power off time</source>
        <translation>自動電源オフ時間の設定</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>15minutes</source>
        <translation>15分</translation>
    </message>
    <message>
        <source>30minutes</source>
        <translation>30分</translation>
    </message>
    <message>
        <source>60minutes</source>
        <translation>60分</translation>
    </message>
    <message>
        <source>Auto Power Off</source>
        <translation>自動電源オフ</translation>
    </message>
    <message>
        <source>Current Serial No:</source>
        <translation>現在のシリアル番号:</translation>
    </message>
    <message>
        <source>Select White Calibration Plate To Register</source>
        <translation>登録する白色校正板の選択</translation>
    </message>
    <message>
        <source>White Calibration Plate Values File(.csv)</source>
        <translation>白色校正板の値ファイル (.csv)</translation>
    </message>
    <message>
        <source>Serial No:</source>
        <translation>シリアル番号:</translation>
    </message>
    <message>
        <source>White calibration plate</source>
        <translation>白色校正板</translation>
    </message>
    <message>
        <source>Select Ambient Light Adapter To Register</source>
        <translation>登録する環境光アダプターの選択</translation>
    </message>
    <message>
        <source>Ambient Light Adapter Value File(.csv)</source>
        <translation>環境光アダプターの値ファイル (.csv)</translation>
    </message>
    <message>
        <source>Ambient light adapter</source>
        <translation>環境光アダプター</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Firmware Ver:</source>
        <translation>ファームウェア Ver:</translation>
    </message>
    <message>
        <source>MAC Address:</source>
        <translation>MACアドレス:</translation>
    </message>
    <message>
        <source>Tool Ver.1.10.0008</source>
        <translation>ツール Ver.1.10.0008</translation>
    </message>
</context>
<context>
    <name>LangSelectDialog</name>
    <message>
        <source>LanguageType</source>
        <translation>表示言語</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英語</translation>
    </message>
    <message>
        <source>Select Language</source>
        <translation>言語の選択</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Spectrophotometer Configuration Tool KT-9</source>
        <translation>分光測色計 設定ツール KT-9</translation>
    </message>
    <message>
        <source>Failed to set default language.</source>
        <translation>既定の表示言語を設定できませんでした。</translation>
    </message>
    <message>
        <source>Failed to set select(English) language.</source>
        <translation>選択した表示言語（英語）を設定できませんでした。</translation>
    </message>
    <message>
        <source>Failed to set select(japanese) language.</source>
        <translation>選択した表示言語（日本語）を設定できませんでした。</translation>
    </message>
    <message>
        <source>The measuring instruments is not connected.</source>
        <translation>測定器が接続されていません。</translation>
    </message>
</context>
</TS>
