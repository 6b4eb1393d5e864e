#!/usr/bin/env bash
# fetch_freeglut_source.sh FOLDER
#
# Downloads Debian's freeglut source package into FOLDER and checks its upstream tarball against
# the pinned SHA-256; prints the tarball's path. A tarball already there is only checked again.
#
# The machine's apt configuration is left alone: apt reads a private sources file made from the
# system's own entries, turned into deb-src ones, and keeps its lists and caches under FOLDER.
set -euo pipefail

folder=$1
tarball_name=freeglut_3.4.0.orig.tar.gz
pinned=3c0bcb915d9b180a97edaebd011b7a1de54583a838644dcd42bb0ea0c6f3eaec

verify() {
  local actual
  actual=$(sha256sum "$1" | cut -d ' ' -f 1)
  if [[ $actual != "$pinned" ]]; then
    echo "fetch_freeglut_source.sh: $1 has SHA-256 $actual, not the pinned $pinned" >&2
    return 1
  fi
}

mkdir -p "$folder"
tarball=$folder/$tarball_name
if [[ -f $tarball ]]; then
  verify "$tarball"
  echo "$tarball"
  exit 0
fi

apt_dir=$folder/apt
rm -rf "$apt_dir"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/download"
sources=$apt_dir/deb-src.sources

# deb822 stanzas (sources.list.d/*.sources) keep every field; only the type changes.
shopt -s nullglob
for file in /etc/apt/sources.list.d/*.sources; do
  sed -E 's/^Types:.*/Types: deb-src/' "$file" >>"$sources"
  echo >>"$sources"
done
# One-line entries (sources.list, sources.list.d/*.list) become stanzas; of their options only
# signed-by matters here.
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [[ -f $file ]] || continue
  while read -r type rest; do
    [[ $type == deb ]] || continue
    signed_by=
    if [[ $rest == \[* ]]; then
      options=${rest%%]*}
      rest=${rest#*]}
      if [[ $options =~ signed-by=([^ ]+) ]]; then
        signed_by=${BASH_REMATCH[1]}
      fi
    fi
    read -r uri suite components <<<"$rest"
    {
      echo "Types: deb-src"
      echo "URIs: $uri"
      echo "Suites: $suite"
      [[ -n $components ]] && echo "Components: $components"
      [[ -n $signed_by ]] && echo "Signed-By: $signed_by"
      echo
    } >>"$sources"
  done <"$file"
done
[[ -s $sources ]] || {
  echo "fetch_freeglut_source.sh: no apt sources found in /etc/apt" >&2
  exit 1
}

apt_options=(
  -o "Dir::Etc::SourceList=$sources" -o Dir::Etc::SourceParts=-
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
  -o Debug::NoLocking=true -o APT::Sandbox::User=root
)
# A source without deb-src indexes only warns; what matters is that freeglut's is found below.
apt-get "${apt_options[@]}" -qq update >&2 || true
(cd "$apt_dir/download" && apt-get "${apt_options[@]}" -qq source --download-only freeglut >&2)
verify "$apt_dir/download/$tarball_name"
mv "$apt_dir/download/$tarball_name" "$tarball"
rm -rf "$apt_dir"
echo "$tarball"
