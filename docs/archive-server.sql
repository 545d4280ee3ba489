-- The team archive of Varnotek TRANSFER on a PostgreSQL server (13 or later).
--
-- Run once by the database's owner, in the database the inspectors' programs connect to:
--   createdb varnotek
--   psql -d varnotek -v ON_ERROR_STOP=1 -f archive-server.sql
-- It makes the tables and the group role varnotek_inspector, which may add series and read them, never change or
-- delete one. Each inspector gets a login role in that group (see the README).
--
-- The program checks archive_schema.version: a server of another version is told to the user, and nothing is
-- uploaded until server and program match again.

BEGIN;

CREATE TABLE archive_schema (
    version integer NOT NULL
);
INSERT INTO archive_schema (version) VALUES (1);

-- A series as a laptop kept it. uid is made by the laptop when it first keeps the series: an upload that is cut
-- short and tried again, or made from two laptops, finds it there and adds nothing.
CREATE TABLE series (
    id bigserial PRIMARY KEY,
    uid uuid NOT NULL UNIQUE,
    previous uuid,                 -- the version this one replaced; NULL for a first version
    version integer NOT NULL,
    kind smallint NOT NULL,        -- 1 memory 1, 2 memory 2, 3 online, 4 file
    view smallint NOT NULL,
    started timestamp NOT NULL,    -- the laptop's local time
    ended timestamp,
    edition text NOT NULL,
    model text NOT NULL,
    port text NOT NULL,
    firmware text NOT NULL,
    probe text NOT NULL,
    mac text NOT NULL,
    source text NOT NULL,
    project text NOT NULL,         -- the six project fields, one a line
    settings jsonb NOT NULL,       -- project data, limits and rule settings of that moment
    count integer NOT NULL,
    mean double precision NOT NULL,
    unit text NOT NULL,
    verdict text NOT NULL,
    search text NOT NULL,          -- what the text filter looks through, in lower case
    inspector text NOT NULL DEFAULT session_user,
    received timestamptz NOT NULL DEFAULT now()
);
CREATE INDEX series_started ON series (started DESC, id DESC);

CREATE TABLE reading (
    series bigint NOT NULL REFERENCES series (id),
    idx integer NOT NULL,
    nr smallint NOT NULL,
    wert double precision NOT NULL,
    einheit text NOT NULL,
    material text NOT NULL,
    datum text NOT NULL,
    zeit text NOT NULL,
    PRIMARY KEY (series, idx)
);

DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'varnotek_inspector') THEN
        CREATE ROLE varnotek_inspector NOLOGIN;
    END IF;
END
$$;
REVOKE ALL ON archive_schema, series, reading FROM PUBLIC;
GRANT USAGE ON SCHEMA public TO varnotek_inspector;
GRANT SELECT ON archive_schema TO varnotek_inspector;
GRANT SELECT, INSERT ON series, reading TO varnotek_inspector;
GRANT USAGE ON SEQUENCE series_id_seq TO varnotek_inspector;

COMMIT;
