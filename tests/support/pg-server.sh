#!/usr/bin/env bash
# A throwaway PostgreSQL server for the team archive's tests and benchmarks, on a socket folder of its own
# (no TCP). PostgreSQL refuses to run as root, so as root it runs as the user "postgres".
#   pg-server.sh setup SCHEMA.sql   prints "<folder> <port>": a running server with the database "varnotek", the
#                                   schema, and the inspectors anna and ben (passwords anna-pw, ben-pw)
#   pg-server.sh stop|start FOLDER  stops (at once, as a pulled cable would) or starts it again
#   pg-server.sh sql FOLDER SQL     runs SQL as the database owner
#   pg-server.sh destroy FOLDER     stops it and removes the folder
set -euo pipefail
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
# Each server has its own socket folder, so the port number only names the socket file there.
port=5432
case "$1" in
setup)
  dir=$(mktemp -d /tmp/vt-pg.XXXXXX)
  chmod 755 "$dir"
  [ "$(id -u)" -ne 0 ] || chown postgres "$dir"
  as "$bin/initdb" -D "$dir/data" -U postgres >"$dir/initdb.log" 2>&1
  # The owner comes in by its OS account (no password); the inspectors by password.
  printf 'local all postgres peer map=owner\nlocal all all scram-sha-256\n' >"$dir/hba"
  printf 'owner postgres postgres\nowner root postgres\nowner %s postgres\n' "$(id -un)" >"$dir/ident"
  as cp "$dir/hba" "$dir/data/pg_hba.conf"
  as cp "$dir/ident" "$dir/data/pg_ident.conf"
  "$0" start "$dir" >/dev/null
  as "$bin/createdb" -h "$dir" -p $port -U postgres varnotek
  as "$bin/psql" -q -h "$dir" -p $port -U postgres -d varnotek -v ON_ERROR_STOP=1 -f - <"$2" >/dev/null
  "$0" sql "$dir" "CREATE ROLE anna LOGIN PASSWORD 'anna-pw' IN ROLE varnotek_inspector;
                   CREATE ROLE ben LOGIN PASSWORD 'ben-pw' IN ROLE varnotek_inspector;" >/dev/null
  echo "$dir $port"
  ;;
start)
  as "$bin/pg_ctl" -D "$2/data" -l "$2/server.log" -w -t 30 \
    -o "-k $2 -p $port -c listen_addresses='' -c fsync=off" start >/dev/null
  ;;
stop)
  as "$bin/pg_ctl" -D "$2/data" -m immediate -w stop >/dev/null
  ;;
sql)
  as "$bin/psql" -qAt -h "$2" -p $port -U postgres -d varnotek -v ON_ERROR_STOP=1 -c "$3"
  ;;
destroy)
  as "$bin/pg_ctl" -D "$2/data" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$2"
  ;;
esac
