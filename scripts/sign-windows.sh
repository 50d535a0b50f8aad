#!/usr/bin/env bash
# Signs Windows programs and DLLs in place (Authenticode, with osslsigncode) with the
# certificate and private key of the PKCS#12 file named by KT9_SIGN_PKCS12, whose password is
# in the file named by KT9_SIGN_PASSWORD_FILE (none when unset). KT9_SIGN_TIMESTAMP_URL, when
# set, names the time-stamping service that makes the signature outlive the certificate.
# usage: sign-windows.sh <file.exe|file.dll>...
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 <file>..." >&2; exit 2; }
[ -f "${KT9_SIGN_PKCS12:-}" ] || { echo "$0: KT9_SIGN_PKCS12 does not name a PKCS#12 file" >&2; exit 1; }
options=(-pkcs12 "$KT9_SIGN_PKCS12" -n "KT-9 Configuration Tool" -h sha256)
[ -z "${KT9_SIGN_PASSWORD_FILE:-}" ] || options+=(-readpass "$KT9_SIGN_PASSWORD_FILE")
[ -z "${KT9_SIGN_TIMESTAMP_URL:-}" ] || options+=(-ts "$KT9_SIGN_TIMESTAMP_URL")
for file in "$@"; do
    signed=$file.signing
    rm -f "$signed"
    if ! osslsigncode sign "${options[@]}" -in "$file" -out "$signed" >/dev/null; then
        rm -f "$signed"
        echo "$0: could not sign $file" >&2
        exit 1
    fi
    chmod --reference="$file" "$signed"
    mv -f "$signed" "$file"
done
