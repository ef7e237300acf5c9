% octave_text.m: Octave's fscanf reads the text korvex's fprintfM wrote and checks it against
% the expected doubles; then Octave's fprintf writes the same values for korvex's fscanfM.
% Usage: octave-cli octave_text.m DIR
args = argv();
dir = args{1};
f = fopen(fullfile(dir, 'text.expect'), 'r');
want = fread(f, Inf, 'double');
fclose(f);
f = fopen(fullfile(dir, 'k_text.txt'), 'r');
got = fscanf(f, '%d %g');
fclose(f);
bad = 0;
if ~isequal(got, want)
  printf('k_text.txt read as %s, expected %s\n', mat2str(got', 17), mat2str(want', 17));
  bad = 1;
end
f = fopen(fullfile(dir, 'o_text.txt'), 'w');
fprintf(f, '%d %.17g\n', want);
fclose(f);
exit(bad);
