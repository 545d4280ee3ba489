#!/usr/bin/env bash
# A throwaway PostgreSQL server on a socket folder of its own (no TCP), as "postgres" when run as root (it refuses
# root). setup SCHEMA prints "FOLDER PORT" (database varnotek, inspectors anna/anna-pw and ben/ben-pw); stop (at
# once, as a pulled cable), start, sql (as the owner, or as the USER after it) and destroy take the FOLDER.
set -euo pipefail
self=$(readlink -f "$0")
[ "$1" != setup ] || set -- setup "$(readlink -f "$2")"
cd / # "postgres" may not enter the caller's folder (a build below /root): its tools would complain into the output
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
port=5432 # names only the socket file in the folder
case "$1" in
setup)
  dir=$(mktemp -d /tmp/vt-pg.XXXXXX)
  chmod 755 "$dir"
  [ "$(id -u)" -ne 0 ] || chown postgres "$dir"
  as "$bin/initdb" -D "$dir/data" -U postgres >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log"; exit 1; }
  printf 'local all postgres peer map=owner\nlocal all all scram-sha-256\n' | as tee "$dir/data/pg_hba.conf" >/dev/null
  printf 'owner %s postgres\nowner postgres postgres\n' "$(id -un)" | as tee "$dir/data/pg_ident.conf" >/dev/null
  "$self" start "$dir"
  as "$bin/createdb" -h "$dir" -p $port -U postgres varnotek
  as "$bin/psql" -q -h "$dir" -p $port -U postgres -d varnotek -v ON_ERROR_STOP=1 -f - <"$2" >/dev/null
  "$self" sql "$dir" "CREATE ROLE anna LOGIN PASSWORD 'anna-pw' IN ROLE varnotek_inspector;
                   CREATE ROLE ben LOGIN PASSWORD 'ben-pw' IN ROLE varnotek_inspector;" >/dev/null
  echo "$dir $port" ;;
start) as "$bin/pg_ctl" -D "$2/data" -l "$2/log" -w -o "-k $2 -p $port -c listen_addresses='' -c fsync=off" start >/dev/null ;;
stop) as "$bin/pg_ctl" -D "$2/data" -m immediate -w stop >/dev/null ;;
sql) PGPASSWORD=${4:-}-pw as "$bin/psql" -qAt -h "$2" -p $port -U "${4:-postgres}" -d varnotek -v ON_ERROR_STOP=1 -c "$3" ;;
destroy) "$self" stop "$2" 2>/dev/null || true; rm -rf "$2" ;;
esac
